// What the compile and check commands print: the diagnostics and a summary
// as text, or one JSON object for programs that drive the tool.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "tool/compila.h"
#include "tool/diagnostica.h"

namespace scenari::tool {

void scrivi_rapporto_testo(std::ostream& out, std::ostream& err, const EsitoCompilazione& e,
                           StileDiagnostica stile = {});
nlohmann::json rapporto_json(const OpzioniCompilazione& o, const EsitoCompilazione& e);

}  // namespace scenari::tool
