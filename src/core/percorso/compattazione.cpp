#include "core/percorso/compattazione.h"

namespace scenari {

std::string motivo_senza_percorso(const Modello& m) {
  std::string motivo = "no route cells were created, so no binary file is written";
  const Problema* ultimo = m.ultimo_errore();
  if (ultimo == nullptr) return motivo;
  motivo += " (code " + std::to_string(ultimo->codice);
  if (!ultimo->luogo.file.empty()) {
    motivo += " in " + ultimo->luogo.file + " line " + std::to_string(ultimo->luogo.riga);
  }
  return motivo + ": " + ultimo->messaggio + ")";
}

Compattazione compatta(const Scenario& scenario, const TestiDescrizione& testi) {
  Compattazione c;
  c.modello.nome_linea = scenario.nome_linea;
  c.modello.numero_treno = scenario.numero_treno;
  c.oltre_arresti = scenario.oltre_arresti;
  c.esito = memorizza_percorso(c.modello, testi, scenario.planimetria, scenario.oltre_arresti);
  return c;
}

}  // namespace scenari
