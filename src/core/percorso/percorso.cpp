// memorizza_percorso: the route builder of a build.
#include "core/percorso/percorso.h"

#include "core/modello/codici.h"
#include "core/modello/nomi_file.h"

namespace scenari {

namespace {

// Cell 1, the start record, in metres as every cell is reported.
constexpr std::int32_t posizione_partenza = 50;

// Forget what an earlier build left, so that the cells found afterwards are
// the ones this build's readers created.
void prepara_modello(Modello& m, bool planimetria) {
  m.genera_linea = planimetria ? 1 : 0;
  m.problemi.clear();
  for (auto& voce : m.tabella_generale) voce = voce_tabella{};
  m.celle_percorso.clear();
  m.origini.clear();
  m.testi_letti.clear();
  m.planimetria.elimina();
  m.numero_celle = 0;
  m.lunghezza_totale = 0;
}

// Protects the objects and stamps the start record of the cells read.
EsitoPercorso completa_percorso(Modello& m) {
  if (!m.celle_create()) return EsitoPercorso::senza_percorso;
  passo_protezione(m);
  if (const std::optional<Codice> fatale = codici_partenza(m)) {
    const std::string oggetto = tipo_cella::nome(m.celle_percorso[1].tipo);
    m.registra_errore(*fatale, posizione_partenza, m.origine(1).value_or(Luogo{}),
                      "cell 1 holds a " + oggetto + " where the start record is stamped");
    return EsitoPercorso::fatale;
  }
  return EsitoPercorso::completo;
}

}  // namespace

EsitoPercorso memorizza_percorso(Modello& m, const TestiDescrizione& testi, bool planimetria,
                                 bool oltre_arresti) {
  prepara_modello(m, planimetria);
  CursoreLettura cursore = memorizza_dati(m, testi, oltre_arresti);
  const EsitoPercorso esito = completa_percorso(m);
  // What the route builder finds in cells read past a stop follows it too.
  cursore.segna_dopo_arresto(m.problemi);
  return esito;
}

std::vector<FileBinario> file_binari(const std::shared_ptr<const Modello>& m) {
  const NomiFile nomi = nomi_file(m->nome_linea, m->numero_treno);
  std::vector<FileBinario> file;
  if (m->genera_linea != 0) {
    file.push_back({nomi.linea_dat, dimensione_planimetria(m->planimetria),
                    [m](Destinazione& d) { codifica_planimetria(m->planimetria, d); }});
  }
  file.push_back({nomi.sim, dimensione_tabella(m->tabella_generale),
                  [m](Destinazione& d) { codifica_tabella(m->tabella_generale, d); }});
  file.push_back({nomi.dat, dimensione_celle(m->celle_percorso),
                  [m](Destinazione& d) { codifica_celle(m->celle_percorso, d); }});
  return file;
}

std::string byte_di(const FileBinario& file) {
  DestinazioneStringa d(file.dimensione);
  file.codifica(d);
  return d.prendi();
}

}  // namespace scenari
