// Names in the binary files are Windows-1252 bytes; reports, JSON and SVG
// are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace scenari::tool {

// Every byte maps to one character. The five bytes the code page leaves
// undefined map to the control characters of the same number, so nothing
// is lost.
std::string utf8_da_1252(std::string_view testo);

}  // namespace scenari::tool
