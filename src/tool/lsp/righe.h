// The lines of an editor's buffer and the protocol's positions in them:
// lines 0-based, characters counted in UTF-16 code units. The texts'
// columns count characters (one Windows-1252 byte each), which differ from
// UTF-16 units only past U+FFFF.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "tool/righe.h"

namespace scenari::lsp {

using tool::righe_di;

// The UTF-16 offset of a byte offset of a UTF-8 line.
std::size_t utf16_da_byte(std::string_view riga, std::size_t byte);
// The byte offset of a UTF-16 offset, clamped to the line.
std::size_t byte_da_utf16(std::string_view riga, std::size_t unita);
// The byte offset of the n-th character (0-based), clamped to the line.
std::size_t byte_da_carattere(std::string_view riga, std::size_t n);

}  // namespace scenari::lsp
