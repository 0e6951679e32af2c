#include "tool/verifica/analisi.h"

#include "core/modello/nomi_file.h"
#include "tool/verifica/avvisi.h"
#include "tool/verifica/oltre_arresti.h"

namespace scenari::tool {

namespace {

EsitoLettura lettura_di(const Modello& m) {
  EsitoLettura e;
  if (m.celle_create()) e.lunghezza = m.record(voce::treno).valore2;
  return e;
}

// The warnings of both texts, in text order.
std::vector<Problema> avvisi(const Modello& m, const NomiFile& nomi, const TestiDescrizione& t) {
  const EsitoLettura lettura = lettura_di(m);
  std::vector<Problema> tutti = avvisi_testo({TipoTesto::linea, nomi.linea_txt, *t.linea}, lettura);
  const std::vector<Problema> del_treno =
      avvisi_testo({TipoTesto::treno, nomi.treno_txt, *t.treno}, lettura);
  tutti.insert(tutti.end(), del_treno.begin(), del_treno.end());
  return tutti;
}

}  // namespace

Analisi analizza(const Scenario& scenario, const TestiDescrizione& testi) {
  Analisi a{compatta(scenario, testi), {}};
  const NomiFile nomi = nomi_file(scenario.nome_linea, scenario.numero_treno);
  const std::vector<std::string> ordine = {nomi.linea_txt, nomi.treno_txt};
  std::vector<Problema> registrati = a.compattazione.modello().problemi;
  const std::vector<Problema> oltre = oltre_gli_arresti(scenario, testi, registrati);
  std::vector<Problema> del_testo = avvisi(a.compattazione.modello(), nomi, testi);
  segna_dopo_arresti(del_testo, registrati, oltre, ordine);
  registrati.insert(registrati.end(), oltre.begin(), oltre.end());
  a.problemi = unisci(registrati, del_testo, ordine);
  return a;
}

}  // namespace scenari::tool
