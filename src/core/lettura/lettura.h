// memorizza_dati: reads the two description texts of a scenario into the
// model, the line text first.
#pragma once

#include <optional>
#include <string_view>

#include "core/lettura/cursore.h"
#include "core/modello/modello.h"

namespace scenari {

// The bytes of the two description texts; no value for a text that is not
// there.
struct TestiDescrizione {
  std::optional<std::string_view> linea;
  std::optional<std::string_view> treno;
};

// Reading for checking, `oltre_arresti`, reads on past every stop. Returns
// the cursor as the reading left it: what is recorded after the reading
// follows its last stop too.
CursoreLettura memorizza_dati(Modello& m, const TestiDescrizione& testi, bool oltre_arresti);

}  // namespace scenari
