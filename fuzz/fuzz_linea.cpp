// The line reader on arbitrary text, with plan geometry wanted as in a run.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/lettura/campi.h"
#include "core/lettura/lettura_linea.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  scenari::Modello m;
  m.nome_linea = "Lago Fontana_Lago Marinella";
  m.numero_treno = "40572";
  m.genera_linea = 1;
  try {
    scenari::CursoreLettura cursore;
    scenari::leggi_linea(m, cursore,
                         std::string_view(reinterpret_cast<const char*>(dati), dimensione));
  } catch (const scenari::ErroreLettura&) {
    return 0;
  }
  // The cell array and the plan must match the length the reader stored.
  if (m.celle_create() &&
      m.celle_percorso.size() != static_cast<std::size_t>(m.numero_celle) + 1) {
    __builtin_trap();
  }
  return 0;
}
