#include "tool/grafico/grafico_problemi.h"

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

std::vector<Marcatore> problemi_dei_testi(const std::string& nome_linea,
                                          const std::string& numero_treno,
                                          std::string_view linea, std::string_view treno) {
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
