// Problems worded for an author, in the manner of a compiler: the place, the
// severity and code, the source line with a caret under the field, then the
// notes and the hint. Also the JSON form of the same values.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "core/modello/problema.h"

namespace scenari::tool {

struct StileDiagnostica {
  bool colore = false;
};

// `sorgenti` holds the texts by the file names the problems carry.
void scrivi_diagnostica(std::ostream& out, const Problema& p,
                        const std::map<std::string, std::string>& sorgenti,
                        StileDiagnostica stile = {});

// "error[19]" for an error, "warning[unknown-keyword]" for a warning.
std::string etichetta(const Problema& p);

nlohmann::json problema_json(const Problema& p);

}  // namespace scenari::tool
