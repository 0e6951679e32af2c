// The outline of a text: its sections, each with the entries under it.
#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

#include "core/lettura/tabella_voci.h"

namespace scenari::lsp {

// DocumentSymbol values of a UTF-8 text. Entries before the first section
// header stand alone; lines that are no entry of `testo` are left out.
nlohmann::json simboli(const riferimento::Testo& testo, std::string_view utf8);

}  // namespace scenari::lsp
