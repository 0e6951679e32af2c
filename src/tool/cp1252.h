// Names in the binary files and the description texts are Windows-1252
// bytes; reports, JSON, SVG and an editor's buffers are UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenari::tool {

// Every byte maps to one character. The five bytes the code page leaves
// undefined map to the control characters of the same number, so nothing
// is lost.
std::string utf8_da_1252(std::string_view testo);

// The character that starts at byte `pos` of UTF-8 text and how many bytes
// it takes; a byte that starts no well-formed sequence is U+FFFD of one
// byte. Both conversions count characters this way, so a column of the
// Windows-1252 text is the number of characters before it in the UTF-8.
struct CarattereUtf8 {
  char32_t codice;
  std::size_t byte;
};
CarattereUtf8 carattere_utf8(std::string_view testo, std::size_t pos);

// The reverse, one byte per character: a character the code page lacks,
// and each byte of a malformed sequence, becomes '?'.
std::string cp1252_da_utf8(std::string_view testo);

// A name as a message shows it: control characters as \xNN, so a file
// name cannot drive the terminal it is printed on.
std::string nome_visibile(std::string_view nome);

}  // namespace scenari::tool
