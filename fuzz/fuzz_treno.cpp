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

// The model and the reading cursor as the line reader left them.
struct LineaLetta {
  scenari::Modello m;
  scenari::CursoreLettura cursore;
};

const LineaLetta& dopo_linea() {
  static const LineaLetta letta = [] {
    LineaLetta nuova;
    nuova.m.nome_linea = "Lago Fontana_Lago Marinella";
    nuova.m.numero_treno = "40572";
    nuova.m.genera_linea = 1;
    scenari::leggi_linea(nuova.m, nuova.cursore, scenari::testo_linea());
    return nuova;
  }();
  return letta;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  scenari::Modello m = dopo_linea().m;
  scenari::CursoreLettura cursore = dopo_linea().cursore;
  try {
    scenari::leggi_treno(m, cursore,
                         std::string_view(reinterpret_cast<const char*>(dati), dimensione));
  } catch (const scenari::ErroreLettura&) {
  }
  if (m.celle_percorso.size() != static_cast<std::size_t>(m.numero_celle) + 1) __builtin_trap();
  return 0;
}
