// docs/testi.md: the table of entries and the table of error codes written
// out for people.
#pragma once

#include <string>

namespace scenari::riferimento {

// The whole reference as Markdown, as docs/testi.md holds it.
std::string markdown();

}  // namespace scenari::riferimento
