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
bool leggi_testo_linea(Modello& m, CursoreLettura& cursore,
                       const std::optional<std::string_view>& testo) {
  if (!testo) {
    m.registra_errore(codice::linea_assente, std::nullopt, Luogo{cursore.file_in_lettura},
                      "no file named " + cursore.file_in_lettura);
    return false;
  }
  try {
    return leggi_linea(m, cursore, *testo) != Seguito::arresto;
  } catch (const ErroreLettura& e) {
    return !registra_lettura_fallita(m, cursore, e);
  }
}

void leggi_testo_treno(Modello& m, CursoreLettura& cursore,
                       const std::optional<std::string_view>& testo) {
  if (!testo) {
    m.registra_errore(codice::lettura_fallita, std::nullopt, Luogo{cursore.file_in_lettura},
                      "no file named " + cursore.file_in_lettura);
    return;
  }
  try {
    leggi_treno(m, cursore, *testo);
  } catch (const ErroreLettura& e) {
    registra_lettura_fallita(m, cursore, e);
  }
}

}  // namespace

CursoreLettura memorizza_dati(Modello& m, const TestiDescrizione& testi, bool oltre_arresti) {
  CursoreLettura cursore(oltre_arresti);
  const NomiFile nomi = nomi_file(m.nome_linea, m.numero_treno);
  cursore.file_in_lettura = nomi.linea_txt;
  const bool segue_treno = leggi_testo_linea(m, cursore, testi.linea);
  cursore.file_in_lettura = nomi.treno_txt;
  // Reading on for checking, the train text is read whatever stopped the
  // line text; without route cells, on the longest route, where every
  // position fits.
  if (oltre_arresti && !m.celle_create()) m.crea_percorso(lunghezza_massima_percorso);
  if (segue_treno || oltre_arresti) leggi_testo_treno(m, cursore, testi.treno);
  cursore.file_in_lettura.clear();
  cursore.segna_dopo_arresto(m.problemi);
  return cursore;
}

}  // namespace scenari
