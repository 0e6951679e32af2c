// Code actions: a quick fix for each published diagnostic that carries one
// mechanical edit (`data.fix`), where it meets the range asked about.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/modello/problema.h"
#include "core/lettura/scansione.h"

namespace scenari::lsp {

// The edit of a fix in the lines of the editor's UTF-8 text: a range in
// UTF-16 units and the new text.
nlohmann::json modifica(const IndiceRighe& righe, const Correzione& c);

nlohmann::json azioni(const std::string& uri, const nlohmann::json& diagnostiche,
                      const nlohmann::json& intervallo);

}  // namespace scenari::lsp
