#include "core/percorso/compattazione.h"

#include "core/modello/codici.h"

namespace scenari {

std::string motivo_senza_percorso(const Modello& m) {
  std::string motivo = "no route cells were created, so no binary file is written";
  const Problema* ultimo = m.ultimo_errore();
  if (ultimo == nullptr) return motivo;
  motivo += " (code " + std::to_string(codice::numero(*ultimo->codice));
  if (!ultimo->luogo.file.empty()) {
    motivo += " in " + ultimo->luogo.file + " line " + std::to_string(ultimo->luogo.riga);
  }
  return motivo + ": " + ultimo->messaggio + ")";
}

std::vector<FileBinario> Compattazione::file() const {
  const bool da_scrivere = esito_ == EsitoPercorso::completo && !oltre_arresti_;
  return da_scrivere ? file_binari(modello_) : std::vector<FileBinario>{};
}

Compattazione compatta(const Scenario& scenario, const TestiDescrizione& testi) {
  auto modello = std::make_shared<Modello>();
  modello->nome_linea = scenario.nome_linea;
  modello->numero_treno = scenario.numero_treno;
  const EsitoPercorso esito =
      memorizza_percorso(*modello, testi, scenario.planimetria, scenario.oltre_arresti);
  return Compattazione(std::move(modello), esito, scenario.oltre_arresti);
}

}  // namespace scenari
