// What the compile and check commands print: the diagnostics and a summary
// as text, or one JSON object for programs that drive the tool.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "tool/compila.h"
#include "tool/diagnostica.h"

namespace scenari::tool {

// JSON as the tool prints it: one member per line, bytes that are not UTF-8
// replaced.
std::string testo_json(const nlohmann::json& j);

void scrivi_rapporto_testo(std::ostream& out, std::ostream& err, const EsitoCompilazione& e,
                           StileDiagnostica stile = {});
nlohmann::json rapporto_json(const OpzioniCompilazione& o, const EsitoCompilazione& e);

// The report on the standard streams: one JSON object on standard output,
// or the diagnostics on standard error (in colour on a terminal) and the
// files written on standard output.
void stampa_rapporto(const OpzioniCompilazione& o, const EsitoCompilazione& e, bool json);

}  // namespace scenari::tool
