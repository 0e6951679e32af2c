// Problems worded for an author, in the manner of a compiler: the place, the
// severity and code, the source line with the field underlined, then the
// notes and the hint. Also the JSON form of the same values.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <optional>
#include <string>
#include <string_view>

#include "core/lettura/scansione.h"
#include "core/modello/problema.h"

namespace scenari::tool {

struct StileDiagnostica {
  bool colore = false;
};

// The texts by the file names the problems carry, each cut into lines once
// for all the problems shown from it. The texts must outlive it.
class Sorgenti {
 public:
  Sorgenti(const std::map<std::string, std::string>& testi);  // NOLINT: a map stands for it
  // Line `riga` of `file`; no value when the text is not known.
  std::optional<std::string_view> riga(const std::string& file, std::int32_t riga) const;

 private:
  std::map<std::string, IndiceRighe, std::less<>> indici_;
};

void scrivi_diagnostica(std::ostream& out, const Problema& p, const Sorgenti& sorgenti,
                        StileDiagnostica stile = {});

// "error[19]" for an error, "warning[unknown-keyword]" for a warning.
std::string etichetta(const Problema& p);

nlohmann::json problema_json(const Problema& p);

}  // namespace scenari::tool
