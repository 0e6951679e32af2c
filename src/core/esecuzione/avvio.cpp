#include "core/esecuzione/avvio.h"

#include <iostream>

#include "core/esecuzione/documenti.h"
#include "core/esecuzione/nomi_file.h"
#include "core/percorso/percorso.h"
#include "core/esecuzione/testi.h"

namespace scenari {

namespace {

void scrivi_testi(platform::Files& files, const NomiFile& nomi) {
  dati_linea(files, nomi);
  dati_treno(files, nomi);
  dati_note(files, nomi);
  dati_rallentamenti(files, nomi);
  dati_scheda(files, nomi);
}

// Steps 3 to 8 of the run; every failure leaves by an exception that
// `esegui` turns into its exit status.
int lavora(Modello& m, platform::Files& files, const NomiFile& nomi) {
  scrivi_testi(files, nomi);
  memorizza_percorso(m, files, nomi, 1);
  const std::string avviso = avviso_dati(m);
  if (avviso.empty()) return uscita_ok;
  std::cerr << avviso << '\n';
  return uscita_dati;
}

}  // namespace

int errore(platform::Window& finestra, std::int32_t numero) {
  finestra.report_error(" Errore n. " + std::to_string(numero));
  return uscita_errore_fatale;
}

std::string avviso_dati(const Modello& m) {
  if (m.codice_errore <= 0) return {};
  std::string avviso = "scenari: warning: error code " + std::to_string(m.codice_errore) + " (" +
                       significato_codice(m.codice_errore) + ") at " +
                       std::to_string(m.posizione_errore) + " m";
  if (const Problema* p = m.ultimo_problema(); p != nullptr && !p->file.empty()) {
    avviso += ", " + p->file + ":" + std::to_string(p->riga);
  }
  return avviso;
}

int esegui(platform::Window& finestra, platform::Files& files, const std::string& cartella) {
  Modello m;
  m.nome_linea = nome_linea_incorporato;
  m.numero_treno = numero_treno_incorporato;
  const NomiFile nomi = nomi_file(cartella, m.nome_linea, m.numero_treno);
  finestra.show(titolo_finestra, etichetta_finestra);

  int stato = uscita_ok;
  try {
    stato = lavora(m, files, nomi);
  } catch (const platform::FileError& e) {
    finestra.report_error("scenari: " + e.path() + ": " + e.reason());
    stato = uscita_errore_file;
  } catch (const ErroreFatale& e) {
    stato = errore(finestra, e.numero());
  } catch (const PercorsoAssente& e) {
    finestra.report_error(std::string("scenari: ") + e.what());
    stato = uscita_senza_percorso;
  }
  finestra.close();
  return stato;
}

}  // namespace scenari
