// Field input alone: the first byte chooses, bit by bit, whether each field
// is read as text or as a number of one of the widths the readers use.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/lettura/campi.h"

using scenari::ErroreLettura;
using scenari::LettoreCampi;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  if (dimensione == 0) return 0;
  const std::uint8_t scelte = dati[0];
  const std::string_view testo(reinterpret_cast<const char*>(dati + 1), dimensione - 1);
  LettoreCampi lettore(testo);
  try {
    for (unsigned n = 0; !lettore.fine(); ++n) {
      switch ((scelte >> (2 * (n % 4))) & 3) {
        case 0: {
          const std::string campo = lettore.leggi_testo();
          scenari::contiene_nocase(campo, "[generale]");
          scenari::contiene(campo, "progressiva");
          break;
        }
        case 1: lettore.leggi<std::int16_t>(); break;
        case 2: lettore.leggi<std::int32_t>(); break;
        default: lettore.leggi_numero(0, 255); break;
      }
    }
    lettore.leggi_testo();
  } catch (const ErroreLettura& e) {
    if (e.tratto().riga < 0) __builtin_trap();
  }
  return 0;
}
