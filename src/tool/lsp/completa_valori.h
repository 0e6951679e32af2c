// Completion inside an entry's values: the field under the cursor with its
// name, unit, range and the template's example value, and, where the line
// ends after the cursor, a snippet of the entry's remaining values.
#pragma once

#include <nlohmann/json.hpp>

#include "tool/lsp/aiuto.h"

namespace scenari::lsp {

// Empty when the cursor is in no value of a known entry.
nlohmann::json completa_valori(const riferimento::Testo& testo, const RichiestaCompletamento& r);

}  // namespace scenari::lsp
