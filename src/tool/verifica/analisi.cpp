#include "tool/verifica/analisi.h"

#include "core/modello/codici.h"
#include "core/modello/nomi_file.h"
#include "tool/verifica/avvisi.h"

namespace scenari::tool {

namespace {

// Where the reader stopped in `file`, if it stopped before the end.
const Problema* arresto_in(const Modello& m, const std::string& file) {
  for (const Problema& p : m.problemi) {
    if (p.ferma_lettura && p.luogo.file == file) return &p;
  }
  return nullptr;
}

EsitoLettura lettura_di(const Modello& m, const std::string& file) {
  EsitoLettura e;
  if (m.celle_create()) e.lunghezza = m.record(voce::treno).valore2;
  if (const Problema* p = arresto_in(m, file)) {
    e.arresto = p->luogo;
    e.codice_arresto = p->codice;
  }
  return e;
}

// The warnings of both texts, in text order. The train text goes unread
// when the line reader stopped for anything but a position past the route.
std::vector<Problema> avvisi(const Modello& m, const NomiFile& nomi, const TestiDescrizione& t) {
  const EsitoLettura linea = lettura_di(m, nomi.linea_txt);
  EsitoLettura treno = lettura_di(m, nomi.treno_txt);
  if (linea.arresto && linea.codice_arresto != codice::oltre_percorso) {
    treno.mai_letto = true;
    treno.codice_arresto = linea.codice_arresto;
  }
  std::vector<Problema> tutti = avvisi_testo({TipoTesto::linea, nomi.linea_txt, *t.linea}, linea);
  const std::vector<Problema> del_treno =
      avvisi_testo({TipoTesto::treno, nomi.treno_txt, *t.treno}, treno);
  tutti.insert(tutti.end(), del_treno.begin(), del_treno.end());
  return tutti;
}

}  // namespace

Analisi analizza(const Scenario& scenario, const TestiDescrizione& testi) {
  Analisi a{compatta(scenario, testi), {}};
  const NomiFile nomi = nomi_file(scenario.nome_linea, scenario.numero_treno);
  a.problemi = unisci(a.compattazione.modello.problemi, avvisi(a.compattazione.modello, nomi, testi),
                      {nomi.linea_txt, nomi.treno_txt});
  return a;
}

}  // namespace scenari::tool
