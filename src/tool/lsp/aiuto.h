// Field help and completion, read off the reference of the texts (the same
// tables docs/testi.md is generated from).
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "tool/lsp/valori.h"
#include "core/lettura/tabella_voci.h"

namespace scenari::lsp {

struct Aiuto {
  std::string markdown;
  Tratto tratto;  // the field it is about
};

// What the field under byte `pos` of a line is: a section header, an
// entry's keyword or one of its values; nothing on anything else.
std::optional<Aiuto> aiuto_campo(const riferimento::Testo& testo, std::string_view riga,
                                 std::size_t pos);

struct RichiestaCompletamento {
  std::string_view riga;  // UTF-8
  std::size_t linea;      // 0-based
  std::size_t pos;        // byte offset of the cursor in the line
  bool snippet;           // the client takes snippets
};

// The entries and section headers of the text, when the cursor is in a
// line's keyword field; an entry on a line with no values yet comes with
// its fields as a snippet. In an entry's values, the field under the
// cursor (completa_valori.h).
nlohmann::json completamenti(const riferimento::Testo& testo, const RichiestaCompletamento& r);

}  // namespace scenari::lsp
