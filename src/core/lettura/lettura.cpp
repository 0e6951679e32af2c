#include "core/lettura/lettura.h"

#include <string>

#include "core/lettura/campi.h"
#include "core/lettura/lettura_linea.h"
#include "core/lettura/lettura_treno.h"
#include "core/lettura/luogo.h"
#include "core/modello/codici.h"
#include "core/modello/nomi_file.h"

namespace scenari {

namespace {

// The line text; returns whether the train text is to be read after it.
bool leggi_testo_linea(Modello& m, const std::optional<std::string_view>& testo) {
  if (!testo) {
    m.registra_errore(codice::linea_assente, std::nullopt, Luogo{m.file_in_lettura},
                      "no file named " + m.file_in_lettura);
    return false;
  }
  try {
    return leggi_linea(m, *testo) == DopoLinea::leggi_treno;
  } catch (const ErroreLettura& e) {
    return !registra_lettura_fallita(m, e);
  }
}

void leggi_testo_treno(Modello& m, const std::optional<std::string_view>& testo) {
  if (!testo) {
    m.registra_errore(codice::lettura_fallita, std::nullopt, Luogo{m.file_in_lettura},
                      "no file named " + m.file_in_lettura);
    return;
  }
  try {
    leggi_treno(m, *testo);
  } catch (const ErroreLettura& e) {
    registra_lettura_fallita(m, e);
  }
}

}  // namespace

void memorizza_dati(Modello& m, const TestiDescrizione& testi) {
  const NomiFile nomi = nomi_file(m.nome_linea, m.numero_treno);
  m.file_in_lettura = nomi.linea_txt;
  const bool segue_treno = leggi_testo_linea(m, testi.linea);
  m.file_in_lettura = nomi.treno_txt;
  // Reading on for checking, the train text is read whatever stopped the
  // line text; without route cells, on the longest route, where every
  // position fits.
  if (m.leggi_oltre_arresti && !m.celle_create()) m.crea_percorso(lunghezza_massima_percorso);
  if (segue_treno || m.leggi_oltre_arresti) leggi_testo_treno(m, testi.treno);
  m.file_in_lettura.clear();
}

}  // namespace scenari
