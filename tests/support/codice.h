// How a failed expectation shows an error code: by its number, as the
// reports do, not as the bytes of an unknown type.
#pragma once

#include <ostream>

#include "core/modello/codici.h"

namespace scenari {

inline void PrintTo(Codice c, std::ostream* out) { *out << codice::numero(c); }

}  // namespace scenari
