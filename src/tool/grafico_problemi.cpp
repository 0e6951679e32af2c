#include "tool/grafico_problemi.h"

#include "core/esecuzione/nomi_file.h"
#include "tool/diagnostica.h"
#include "tool/verifica/analisi.h"

namespace scenari::tool {

namespace {

// "error[19] in Route_1-.txt:20:5: what is wrong", then the detail.
std::string testo_problema(const Problema& p) {
  std::string t = etichetta(p);
  if (!p.luogo.file.empty()) {
    t += " in " + p.luogo.file;
    if (p.luogo.riga > 0) t += ":" + std::to_string(p.luogo.riga) + ":" + std::to_string(p.luogo.colonna);
  }
  t += ": " + p.messaggio;
  if (!p.dettaglio.empty()) t += "\n" + p.dettaglio;
  if (!p.aiuto.empty()) t += "\n" + p.aiuto;
  return t;
}

}  // namespace

std::vector<Marcatore> problemi_dei_testi(platform::Files& files, const std::string& cartella,
                                          const std::string& nome_linea,
                                          const std::string& numero_treno) {
  const NomiFile nomi = nomi_file(cartella, nome_linea, numero_treno);
  if (!files.exists(nomi.linea_txt) || !files.exists(nomi.treno_txt)) return {};
  const std::string linea = files.read(nomi.linea_txt);
  const std::string treno = files.read(nomi.treno_txt);
  const Analisi a = analizza({nome_linea, numero_treno, true}, {linea, treno});
  std::vector<Marcatore> marcatori;
  for (const Problema& p : a.problemi) {
    std::optional<double> posizione;
    if (p.posizione) posizione = *p.posizione;
    marcatori.push_back({posizione, p.gravita, testo_problema(p)});
  }
  return marcatori;
}

}  // namespace scenari::tool
