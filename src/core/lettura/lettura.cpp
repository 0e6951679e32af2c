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

// A read failure in either text: code 25 at the field where reading
// stopped, with the reason; neither text is read any further.
void lettura_fallita(Modello& m, const ErroreLettura& e) {
  m.registra_errore(codice::lettura_fallita, std::nullopt,
                    luogo_tratto(m, e.tratto()), e.what());
  m.segna_arresto();
}

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
    lettura_fallita(m, e);
    return false;
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
    lettura_fallita(m, e);
  }
}

}  // namespace

void memorizza_dati(Modello& m, const TestiDescrizione& testi) {
  const NomiFile nomi = nomi_file(m.nome_linea, m.numero_treno);
  m.file_in_lettura = nomi.linea_txt;
  const bool segue_treno = leggi_testo_linea(m, testi.linea);
  m.file_in_lettura = nomi.treno_txt;
  if (segue_treno) leggi_testo_treno(m, testi.treno);
  m.file_in_lettura.clear();
}

}  // namespace scenari
