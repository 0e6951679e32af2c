// Pieces shared by the parts of the train description reader: what follows
// an entry, the route range test and the narrowing of values into
// the members of a cell.
#pragma once

#include <cstdint>

#include "core/lettura/seguito.h"
#include "core/modello/modello.h"

namespace scenari {

// True when (posizione + margine) / 50, computed exactly, is at most the last
// cell: the entry lies far enough from the end of the route.
inline bool entro_percorso(const Modello& m, std::int64_t posizione, std::int64_t margine) {
  return posizione + margine <= inizio_cella(m.ultima_cella());
}

// Low 16 and low 8 bits of a value, as the 16-bit and 8-bit members keep it.
inline std::int16_t basso16(std::int64_t valore) { return static_cast<std::int16_t>(valore); }
inline std::uint8_t basso8(std::int64_t valore) { return static_cast<std::uint8_t>(valore); }

}  // namespace scenari
