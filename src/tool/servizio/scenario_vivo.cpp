#include "tool/servizio/scenario_vivo.h"

#include "esecuzione/nomi_file.h"
#include "tool/cp1252.h"
#include "tool/grafico/grafico.h"

namespace scenari::tool {

ScenarioVivo::ScenarioVivo(platform::Files& files, const std::string& cartella, Scenario scenario,
                           bool oltre_la_fine)
    : files_(files), scenario_(std::move(scenario)), oltre_la_fine_(oltre_la_fine) {
  const NomiFile nomi = nomi_file(cartella, scenario_.nome_linea, scenario_.numero_treno);
  percorso_linea_ = nomi.linea_txt;
  percorso_treno_ = nomi.treno_txt;
  titolo_ = utf8_da_1252(scenario_.nome_linea) + " \u2014 train " + utf8_da_1252(scenario_.numero_treno);
}

ScenarioVivo::Lettura ScenarioVivo::leggi(const std::string& percorso) const {
  try {
    return {files_.read(percorso), {}};
  } catch (const platform::FileError& e) {
    return {std::nullopt, e.what()};
  }
}

bool ScenarioVivo::rileggi() {
  Lettura linea = leggi(percorso_linea_);
  Lettura treno = leggi(percorso_treno_);
  if (linea == linea_ && treno == treno_) return false;
  linea_ = std::move(linea);
  treno_ = std::move(treno);
  return true;
}

std::string ScenarioVivo::dati() const {
  DatiGrafico d;
  if (linea_.testo && treno_.testo) {
    d = dati_da_testi(scenario_, {*linea_.testo, *treno_.testo});
  } else {
    for (const Lettura* l : {&linea_, &treno_}) {
      if (!l->testo) d.problemi.push_back({std::nullopt, Gravita::errore, l->errore});
    }
  }
  d.titolo = titolo_;
  return dati_pagina(d, oltre_la_fine_);
}

}  // namespace scenari::tool
