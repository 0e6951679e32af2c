// The place of the field a reader has just read, and the warnings of the
// field input, for the problems a reader records.
#pragma once

#include <utility>

#include "core/lettura/campi.h"
#include "core/lettura/cursore.h"
#include "core/modello/codici.h"
#include "core/modello/modello.h"

namespace scenari {

inline Luogo luogo_campo(const CursoreLettura& cursore, const LettoreCampi& lettore) {
  return cursore.luogo(lettore.tratto());
}

// A cell already taken: the error at the entry, with a note naming the
// entry that holds the cell.
inline void registra_cella_occupata(Modello& m, Codice codice, std::int32_t posizione,
                                    const Luogo& voce, std::int64_t cella) {
  Problema& p = m.registra_errore(codice, posizione, voce);
  m.nota_cella(p, cella);
}

// A read failure: code 25 at the field where reading stopped, with the
// reason; it stops the reading of both texts. Returns whether to stop.
inline bool registra_lettura_fallita(Modello& m, CursoreLettura& cursore, const ErroreLettura& e) {
  m.registra_errore(codice::lettura_fallita, std::nullopt, cursore.luogo(e.tratto()), e.what());
  return cursore.segna_arresto(m);
}

// Reads one entry with `voce`. A read failure ends the reading, unless it
// reads on for checking: then the failure is recorded as the stop it is,
// the rest of the failed field's line is passed over and `dopo_errore` is
// the entry's outcome.
template <typename Esito, typename Voce>
Esito con_ripresa(Modello& m, CursoreLettura& cursore, LettoreCampi& lettore, Esito dopo_errore,
                  Voce&& voce) {
  if (!cursore.leggi_oltre_arresti) return voce();
  try {
    return voce();
  } catch (const ErroreLettura& e) {
    registra_lettura_fallita(m, cursore, e);
    lettore.riprendi_dopo(e.tratto());
    return dopo_errore;
  }
}

// The warnings of the field input, recorded in the model as they come.
inline LettoreCampi::Avvisi avvisi_nel_modello(Modello& m, const CursoreLettura& cursore) {
  return [&m, &cursore](AvvisoCampo a) {
    m.registra_avviso(std::move(a.controllo), cursore.luogo(a.tratto), std::move(a.messaggio),
                      std::move(a.aiuto));
  };
}

}  // namespace scenari
