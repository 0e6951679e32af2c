// What the compile command prints: one line per problem, or one JSON
// object for programs that drive the tool.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "tool/compila.h"

namespace scenari::tool {

void scrivi_rapporto_testo(std::ostream& out, std::ostream& err, const EsitoCompilazione& e);
nlohmann::json rapporto_json(const OpzioniCompilazione& o, const EsitoCompilazione& e);

}  // namespace scenari::tool
