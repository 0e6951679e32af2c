// The problems a compile of the description texts records, as marks for
// the plot.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tool/grafico/grafico.h"

namespace scenari::tool {

// The two texts of a scenario compacted in memory, as `check` reports them.
std::vector<Marcatore> problemi_dei_testi(const std::string& nome_linea,
                                          const std::string& numero_treno,
                                          std::string_view linea, std::string_view treno);

}  // namespace scenari::tool
