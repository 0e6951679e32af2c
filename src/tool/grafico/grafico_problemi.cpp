#include "tool/grafico/grafico_problemi.h"

#include "tool/diagnostica.h"

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

std::vector<Marcatore> marcatori(const std::vector<Problema>& problemi) {
  std::vector<Marcatore> m;
  for (const Problema& p : problemi) {
    std::optional<double> posizione;
    if (p.posizione) posizione = *p.posizione;
    m.push_back({posizione, p.gravita, testo_problema(p)});
  }
  return m;
}

}  // namespace scenari::tool
