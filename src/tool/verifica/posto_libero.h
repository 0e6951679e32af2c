// A taken cell's fix: the entry's position moved to the nearest one at
// which its object fits.
#pragma once

#include <optional>

#include "core/lettura/scansione.h"
#include "core/percorso/compattazione.h"

namespace scenari::tool {

struct PostoOccupato {
  const Problema& problema;  // the taken-cell error
  Tratto valore;             // the span of the entry's position value
  bool del_treno;            // whether the entry lies in the train text
};

// The position, in whole cells from the one written, nearest first: a cell
// the model `m` leaves free, by the cell rule of the object, confirmed by
// compacting the texts with the position written there (the reader stopped
// at the taken cell, so the entries after it may want that cell too).
std::optional<Correzione> posto_libero(const PostoOccupato& occupato, const Modello& m,
                                       const Scenario& scenario, const TestiDescrizione& testi);

}  // namespace scenari::tool
