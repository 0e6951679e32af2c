// Inlay hints: the name of its field before each value of an entry, read
// off the reference of the texts, so a 17-value station line reads without
// counting commas.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string_view>

#include "core/lettura/tabella_voci.h"

namespace scenari::lsp {

// The hints of lines `da` to `a` (0-based, both included) of a UTF-8 text.
nlohmann::json nomi_campi(const riferimento::Testo& testo, std::string_view utf8, std::size_t da,
                          std::size_t a);

}  // namespace scenari::lsp
