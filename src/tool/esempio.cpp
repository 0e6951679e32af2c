#include "tool/esempio.h"

#include <utility>

#include "core/esecuzione/avvio.h"
#include "core/esecuzione/nomi_file.h"
#include "core/esecuzione/testi.h"
#include "tool/stato.h"

namespace scenari::tool {

std::vector<std::string> scrivi_esempio(platform::Files& files, const std::string& cartella,
                                        bool sovrascrivi) {
  const NomiFile nomi = nomi_file(cartella, nome_linea_incorporato, numero_treno_incorporato);
  const std::vector<std::pair<std::string, std::string>> testi = {
      {nomi.linea_txt, testo_linea()}, {nomi.treno_txt, testo_treno()}};
  for (const auto& [percorso, contenuto] : testi) {
    if (!sovrascrivi && files.exists(percorso)) {
      throw Rifiuto{uscita_errore_file, percorso + ": already exists (use --force to replace it)"};
    }
  }
  files.replace_all(testi);
  return {nomi.linea_txt, nomi.treno_txt};
}

}  // namespace scenari::tool
