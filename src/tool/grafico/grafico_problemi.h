// The problems of a compile of the description texts, as marks for the
// plot.
#pragma once

#include <vector>

#include "tool/grafico/grafico.h"

namespace scenari::tool {

// Each problem, as `check` reports it, at its position when it has one.
std::vector<Marcatore> marcatori(const std::vector<Problema>& problemi);

}  // namespace scenari::tool
