// What the packed members of a route cell or a general record mean, in the
// words and units an author wrote them: dump prints these beside the raw
// members and the plot shows them in its tooltips.
#pragma once

#include <cstddef>
#include <string>

#include "core/formato/record.h"

namespace scenari::tool {

// Empty when there is nothing to decode.
std::string decodifica_cella(std::size_t indice, const cella& c);
std::string decodifica_voce(std::size_t numero, const voce_tabella& v);

}  // namespace scenari::tool
