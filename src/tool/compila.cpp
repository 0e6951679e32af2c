#include "tool/compila.h"

#include <algorithm>
#include <utility>

#include "core/esecuzione/avvio.h"
#include "core/esecuzione/nomi_file.h"
#include "core/modello/codici.h"
#include "core/percorso/compattazione.h"
#include "tool/verifica/avvisi.h"

namespace scenari::tool {

namespace {

// The problems with the directory the texts were read from before their
// names, as a user would type them.
void nomina_file(std::vector<Problema>& problemi, const std::string& cartella) {
  for (Problema& p : problemi) {
    if (!p.luogo.file.empty()) p.luogo.file = platform::join(cartella, p.luogo.file);
    for (Nota& n : p.note) {
      if (!n.luogo.file.empty()) n.luogo.file = platform::join(cartella, n.luogo.file);
    }
  }
}

std::vector<FileScritto> scrivi_binari(platform::Files& files, const std::string& cartella,
                                       const Compattazione& c) {
  std::vector<std::pair<std::string, std::string>> uscite;
  std::vector<FileScritto> scritti;
  for (const FileBinario& f : c.file()) {
    const std::string percorso = platform::join(cartella, f.nome);
    uscite.emplace_back(percorso, byte_di(f));
    scritti.push_back({percorso, f.dimensione});
  }
  files.replace_all(uscite);
  return scritti;
}

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

int stato_di(const Compattazione& c) {
  switch (c.esito) {
    case EsitoPercorso::fatale: return uscita_errore_fatale;
    case EsitoPercorso::senza_percorso: return uscita_senza_percorso;
    case EsitoPercorso::completo: break;
  }
  return c.modello.ha_errori() ? uscita_dati : uscita_ok;
}

}  // namespace

bool EsitoCompilazione::ha_errori() const {
  return std::any_of(problemi.begin(), problemi.end(), [](const Problema& p) { return p.errore(); });
}

std::size_t EsitoCompilazione::numero(Gravita g) const {
  return static_cast<std::size_t>(std::count_if(
      problemi.begin(), problemi.end(), [g](const Problema& p) { return p.gravita == g; }));
}

EsitoCompilazione compila(const OpzioniCompilazione& o, platform::Files& files) {
  EsitoCompilazione esito;
  const NomiFile sorgente = nomi_file(o.cartella, o.nome_linea, o.numero_treno);
  try {
    // A text that is missing or unreadable is the user's file problem, not
    // the scenario's: it ends the command before anything is compacted.
    const TestiDescrizione testi{esito.sorgenti[sorgente.linea_txt] = files.read(sorgente.linea_txt),
                                 esito.sorgenti[sorgente.treno_txt] = files.read(sorgente.treno_txt)};
    const Compattazione c =
        compatta(Scenario{o.nome_linea, o.numero_treno, o.planimetria}, testi);
    const NomiFile nomi = nomi_file(o.nome_linea, o.numero_treno);
    esito.problemi = unisci(c.modello.problemi, avvisi(c.modello, nomi, testi),
                            {nomi.linea_txt, nomi.treno_txt});
    nomina_file(esito.problemi, o.cartella);
    esito.stato = stato_di(c);
    if (c.esito == EsitoPercorso::senza_percorso) esito.messaggio = motivo_senza_percorso(c.modello);
    if (o.scrivi && c.esito == EsitoPercorso::completo) {
      esito.scritti = scrivi_binari(files, o.cartella_uscita, c);
    }
  } catch (const platform::FileError& e) {
    esito.messaggio = e.what();
    esito.stato = uscita_errore_file;
  }
  return esito;
}

}  // namespace scenari::tool
