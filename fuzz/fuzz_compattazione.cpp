// The whole compaction in memory: the input up to its first NUL byte is the
// line text, the rest the train text. Every binary file of a complete build
// must decode back to what the model holds, and every problem must name a
// place inside the texts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/formato/formato_binario.h"
#include "core/percorso/compattazione.h"

namespace {

void verifica(bool condizione) {
  if (!condizione) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  const std::string_view ingresso(reinterpret_cast<const char*>(dati), dimensione);
  const std::size_t nul = ingresso.find('\0');
  const std::string_view linea = ingresso.substr(0, nul);
  const std::string_view treno =
      nul == std::string_view::npos ? std::string_view() : ingresso.substr(nul + 1);

  const scenari::Compattazione c =
      scenari::compatta(scenari::Scenario{"Lago Fontana_Lago Marinella", "40572", true},
                        scenari::TestiDescrizione{linea, treno});
  const scenari::Modello& m = c.modello();
  for (const scenari::Problema& p : m.problemi) {
    verifica(p.luogo.riga >= 0 && p.luogo.colonna >= 0);
    verifica(static_cast<std::size_t>(p.luogo.riga) <= ingresso.size() + 1);
  }
  const auto file = c.file();
  if (c.esito() != scenari::EsitoPercorso::completo) {
    verifica(file.empty());
    return 0;
  }
  verifica(file.size() == 3);
  verifica(scenari::decodifica_planimetria(scenari::byte_di(file[0])) == m.planimetria.punti());
  verifica(scenari::decodifica_tabella(scenari::byte_di(file[1])) == m.tabella_generale);
  verifica(scenari::decodifica_celle(scenari::byte_di(file[2])) == m.celle_percorso);
  return 0;
}
