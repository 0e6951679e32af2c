// The place of the field a reader has just read, for the problems it records.
#pragma once

#include "core/lettura/campi.h"
#include "core/modello/modello.h"

namespace scenari {

inline Luogo luogo_campo(const Modello& m, const LettoreCampi& lettore) {
  return {m.file_in_lettura, lettore.riga(), lettore.colonna()};
}

}  // namespace scenari
