// How far apart two words are, for the did-you-mean of the command line and
// of the texts' keywords.
#pragma once

#include <cstddef>
#include <string_view>

namespace scenari::tool {

// Insertions, deletions and replacements that turn one word into the other,
// a swap of two neighbours counting as one edit.
std::size_t distanza_modifica(std::string_view a, std::string_view b);

}  // namespace scenari::tool
