#include "core/percorso/compattazione.h"

#include <algorithm>

#include "core/modello/codici.h"

namespace scenari {

std::string motivo_senza_percorso(const Modello& m) {
  std::string motivo = "no route cells were created, so no binary file is written";
  const std::int32_t codice = m.codice_errore();
  if (codice == 0) return motivo;
  motivo += " (code " + std::to_string(codice);
  const auto ultimo = std::find_if(m.problemi.rbegin(), m.problemi.rend(),
                                   [](const Problema& p) { return p.errore(); });
  if (!ultimo->luogo.file.empty()) {
    motivo += " in " + ultimo->luogo.file + " line " + std::to_string(ultimo->luogo.riga);
  }
  return motivo + ": " + codice::descrivi(codice).significato + ")";
}

Compattazione compatta(const Scenario& scenario, const TestiDescrizione& testi) {
  Compattazione c;
  c.modello.nome_linea = scenario.nome_linea;
  c.modello.numero_treno = scenario.numero_treno;
  c.esito = memorizza_percorso(c.modello, testi, scenario.planimetria);
  return c;
}

}  // namespace scenari
