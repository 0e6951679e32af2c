// Exit statuses of scenari-tool: those of a scenari run, plus the one for a
// command line that cannot be understood.
#pragma once

#include <string>

#include "core/esecuzione/avvio.h"

namespace scenari::tool {

inline constexpr int uscita_uso = 64;

// A refusal the tool reports on standard error and ends with `stato`.
struct Rifiuto {
  int stato;
  std::string messaggio;
};

}  // namespace scenari::tool
