#include "tool/esempio.h"

#include <utility>

#include "esecuzione/nomi_file.h"
#include "esecuzione/testi.h"
#include "platform/directories.h"
#include "tool/stato.h"

namespace scenari::tool {

std::vector<std::string> scrivi_esempio(platform::Files& files, const std::string& cartella,
                                        bool sovrascrivi, const std::string& nome_linea,
                                        const std::string& numero_treno) {
  rifiuta_nomi_non_validi(nome_linea, numero_treno);
  const NomiFile nomi = nomi_file(cartella, nome_linea, numero_treno);
  const std::vector<std::pair<std::string, std::string>> testi = {
      {nomi.linea_txt, testo_linea()}, {nomi.treno_txt, testo_treno()}};
  for (const auto& [percorso, contenuto] : testi) {
    if (!sovrascrivi && files.exists(percorso)) {
      throw Rifiuto{uscita_errore_file, percorso + ": already exists (use --force to replace it)"};
    }
  }
  platform::create_directories(cartella);
  files.replace_all(testi);
  return {nomi.linea_txt, nomi.treno_txt};
}

}  // namespace scenari::tool
