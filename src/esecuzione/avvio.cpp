#include "esecuzione/avvio.h"

#include <iostream>
#include <optional>

#include "esecuzione/documenti.h"
#include "esecuzione/nomi_file.h"
#include "esecuzione/testi.h"
#include "esecuzione/uscite.h"
#include "core/percorso/compattazione.h"
#include "platform/directory_lock.h"

namespace scenari {

namespace {

void scrivi_testi(platform::Files& files, const NomiFile& nomi) {
  dati_linea(files, nomi);
  dati_treno(files, nomi);
  dati_note(files, nomi);
  dati_rallentamenti(files, nomi);
  dati_scheda(files, nomi);
}

// A working text as the run finds it again: no value when it is gone.
std::optional<std::string> rileggi(platform::Files& files, const std::string& percorso) {
  if (!files.exists(percorso)) return std::nullopt;
  return files.read(percorso);
}

// The two working texts are read back and deleted before the build, so
// none is left behind whatever the build finds in them.
Compattazione compatta_testi(platform::Files& files, const NomiFile& nomi) {
  const std::optional<std::string> linea = rileggi(files, nomi.linea_txt);
  const std::optional<std::string> treno = rileggi(files, nomi.treno_txt);
  files.remove_if_exists(nomi.linea_txt);
  files.remove_if_exists(nomi.treno_txt);
  TestiDescrizione testi;
  if (linea) testi.linea = *linea;
  if (treno) testi.treno = *treno;
  return compatta(Scenario{nome_linea_incorporato, numero_treno_incorporato, true}, testi);
}

// Steps 3 to 8 of the run; a file failure leaves by an exception that
// `esegui` turns into its exit status.
int lavora(platform::Window& finestra, platform::Files& files, const std::string& cartella,
           const NomiFile& nomi) {
  scrivi_testi(files, nomi);
  const Compattazione c = compatta_testi(files, nomi);
  switch (c.esito()) {
    case EsitoPercorso::fatale: return errore(finestra, *c.modello().ultimo_errore()->codice);
    case EsitoPercorso::senza_percorso:
      finestra.report_error("scenari: " + motivo_senza_percorso(c.modello()));
      return uscita_senza_percorso;
    case EsitoPercorso::completo: break;
  }
  files.replace_set(uscite_in(cartella, c.file()));
  const std::string avviso = avviso_dati(c.modello());
  if (avviso.empty()) return uscita_ok;
  std::cerr << avviso << '\n';
  return uscita_dati;
}

}  // namespace

int errore(platform::Window& finestra, Codice codice) {
  finestra.report_error(" Errore n. " + std::to_string(codice::numero(codice)));
  return uscita_errore_fatale;
}

std::string avviso_dati(const Modello& m) {
  const Problema* ultimo = m.ultimo_errore();
  if (ultimo == nullptr) return {};
  const std::string numero = std::to_string(codice::numero(*ultimo->codice));
  std::string avviso = "scenari: warning: error code " + numero + " (" + ultimo->messaggio + ")";
  if (ultimo->posizione) avviso += " at " + std::to_string(*ultimo->posizione) + " m";
  if (!ultimo->luogo.file.empty()) {
    avviso += ", " + ultimo->luogo.file + ":" + std::to_string(ultimo->luogo.riga);
  }
  return avviso;
}

int esegui(platform::Window& finestra, platform::Files& files, const std::string& cartella) {
  const NomiFile nomi = nomi_file(cartella, nome_linea_incorporato, numero_treno_incorporato);
  finestra.show(titolo_finestra, etichetta_finestra);

  int stato = uscita_ok;
  try {
    // One run at a time in a directory: a second one waits, so the texts
    // and binaries of the two never mix.
    const platform::DirectoryLock lucchetto(cartella, true);
    stato = lavora(finestra, files, cartella, nomi);
  } catch (const platform::FileError& e) {
    finestra.report_error("scenari: " + e.path() + ": " + e.reason());
    stato = uscita_errore_file;
  }
  finestra.close();
  return stato;
}

}  // namespace scenari
