// memorizza_dati: reads the two description texts of a scenario into the
// model, the line text first.
#pragma once

#include <optional>
#include <string_view>

#include "core/modello/modello.h"

namespace scenari {

// The bytes of the two description texts; no value for a text that is not
// there.
struct TestiDescrizione {
  std::optional<std::string_view> linea;
  std::optional<std::string_view> treno;
};

void memorizza_dati(Modello& m, const TestiDescrizione& testi);

}  // namespace scenari
