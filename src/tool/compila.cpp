#include "tool/compila.h"

#include <algorithm>
#include <utility>

#include "esecuzione/incorporato.h"
#include "esecuzione/nomi_file.h"
#include "esecuzione/uscite.h"
#include "core/percorso/compattazione.h"
#include "platform/directories.h"
#include "platform/directory_lock.h"
#include "tool/verifica/analisi.h"

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
    if (p.dopo_arresto) p.dopo_arresto->file = platform::join(cartella, p.dopo_arresto->file);
  }
}

std::vector<FileScritto> scrivi_binari(platform::Files& files, const std::string& cartella,
                                       const Compattazione& c) {
  const std::vector<FileBinario> file = c.file();
  files.replace_set(uscite_in(cartella, file));
  std::vector<FileScritto> scritti;
  for (const FileBinario& f : file) scritti.push_back({platform::join(cartella, f.nome), f.dimensione});
  return scritti;
}

int stato_di(const Compattazione& c) {
  switch (c.esito()) {
    case EsitoPercorso::fatale: return uscita_errore_fatale;
    case EsitoPercorso::senza_percorso: return uscita_senza_percorso;
    case EsitoPercorso::completo: break;
  }
  return c.modello().ha_errori() ? uscita_dati : uscita_ok;
}

}  // namespace

bool EsitoCompilazione::ha_errori() const { return scenari::ha_errori(problemi); }

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
    Analisi a = analizza(Scenario{o.nome_linea, o.numero_treno, o.planimetria}, testi);
    const Compattazione& c = a.compattazione;
    esito.problemi = std::move(a.problemi);
    nomina_file(esito.problemi, o.cartella);
    esito.stato = stato_di(c);
    if (c.esito() == EsitoPercorso::senza_percorso) esito.messaggio = motivo_senza_percorso(c.modello());
    if (o.scrivi && c.esito() == EsitoPercorso::completo) {
      platform::create_directories(o.cartella_uscita);
      const platform::DirectoryLock lucchetto(o.cartella_uscita, o.attendi);
      esito.scritti = scrivi_binari(files, o.cartella_uscita, c);
    }
  } catch (const platform::FileError& e) {
    esito.messaggio = e.what();
    esito.stato = uscita_errore_file;
  }
  return esito;
}

}  // namespace scenari::tool
