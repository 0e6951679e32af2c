// The train reader on arbitrary text, after the embedded line text has
// been read into the model.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/lettura/campi.h"
#include "core/lettura/lettura_linea.h"
#include "core/lettura/lettura_treno.h"
#include "esecuzione/testi.h"

namespace {

const scenari::Modello& modello_dopo_linea() {
  static const scenari::Modello m = [] {
    scenari::Modello nuovo;
    nuovo.nome_linea = "Lago Fontana_Lago Marinella";
    nuovo.numero_treno = "40572";
    nuovo.genera_linea = 1;
    scenari::leggi_linea(nuovo, scenari::testo_linea());
    return nuovo;
  }();
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  scenari::Modello m = modello_dopo_linea();
  try {
    scenari::leggi_treno(m, std::string_view(reinterpret_cast<const char*>(dati), dimensione));
  } catch (const scenari::ErroreLettura&) {
  }
  if (m.celle_percorso.size() != static_cast<std::size_t>(m.numero_celle) + 1) __builtin_trap();
  return 0;
}
