// The lines of a text as the readers count them: a line ends at LF, CR LF
// or a CR alone, so line numbers everywhere agree with the problems'.
#pragma once

#include <string_view>
#include <vector>

namespace scenari::tool {

// The lines without their ends; a text that ends with a line end has an
// empty last line.
std::vector<std::string_view> righe_di(std::string_view testo);

}  // namespace scenari::tool
