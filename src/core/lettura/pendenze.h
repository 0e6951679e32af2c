// The gradient fill of the line reader: each gradient line closes the
// stretch of the value in force up to its own cell and opens its value.
#pragma once

#include <cstdint>

#include "core/modello/modello.h"

namespace scenari {

class RiempimentoPendenze {
 public:
  // A gradient line at `posizione` (>= 0, within the route) with value
  // `pendenza`.
  void linea(Modello& m, std::int32_t posizione, std::int32_t pendenza);

  // After the last line: the value in force runs to cell numero_celle - 3
  // (or one cell past the index, whichever is further).
  void completa(Modello& m);

 private:
  // Writes the value in force into the cell at the index and moves on; at
  // least once, then until the index reaches `fine`. The index never goes
  // beyond the cell after the last.
  void riempi_fino_a(Modello& m, std::int64_t fine);

  std::int32_t indice_ = 0;
  std::int32_t valore_ = 0;
};

}  // namespace scenari
