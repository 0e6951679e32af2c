// The place of the field a reader has just read, and the warnings of the
// field input, for the problems a reader records.
#pragma once

#include <utility>

#include "core/lettura/campi.h"
#include "core/modello/modello.h"

namespace scenari {

inline Luogo luogo_tratto(const Modello& m, const Tratto& t) {
  return {m.file_in_lettura, t.riga, t.inizio, t.fine};
}

inline Luogo luogo_campo(const Modello& m, const LettoreCampi& lettore) {
  return luogo_tratto(m, lettore.tratto());
}

// A cell already taken: the error at the entry, with a note naming the
// entry that holds the cell.
inline void registra_cella_occupata(Modello& m, std::int32_t codice, std::int32_t posizione,
                                    const Luogo& voce, std::int64_t cella) {
  Problema& p = m.registra_errore(codice, posizione, voce);
  m.nota_cella(p, cella);
}

// The warnings of the field input, recorded in the model as they come.
inline LettoreCampi::Avvisi avvisi_nel_modello(Modello& m) {
  return [&m](AvvisoCampo a) {
    m.registra_avviso(std::move(a.controllo), luogo_tratto(m, a.tratto),
                      std::move(a.messaggio), std::move(a.aiuto));
  };
}

}  // namespace scenari
