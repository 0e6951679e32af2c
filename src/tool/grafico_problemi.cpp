#include "tool/grafico_problemi.h"

#include "core/esecuzione/nomi_file.h"
#include "platform/scratch_directory.h"
#include "tool/compila.h"

namespace scenari::tool {

std::vector<Marcatore> problemi_dei_testi(platform::Files& files, const std::string& cartella,
                                          const std::string& nome_linea,
                                          const std::string& numero_treno) {
  const NomiFile nomi = nomi_file(cartella, nome_linea, numero_treno);
  if (!files.exists(nomi.linea_txt) || !files.exists(nomi.treno_txt)) return {};
  const platform::ScratchDirectory uscita("scenari-plot");
  const EsitoCompilazione esito =
      compila({cartella, uscita.path(), nome_linea, numero_treno, true}, files);
  std::vector<Marcatore> marcatori;
  for (const auto& p : esito.problemi) {
    marcatori.push_back({static_cast<double>(p.posizione), Gravita::errore, descrivi_problema(p)});
  }
  if (!esito.messaggio.empty()) marcatori.push_back({0, Gravita::errore, esito.messaggio});
  return marcatori;
}

}  // namespace scenari::tool
