// The problems of an analysis as the protocol's diagnostics, one list per
// text of the scenario.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/modello/problema.h"

namespace scenari::lsp {

// A text of the scenario as the editor sees it.
struct TestoAperto {
  std::string file;  // the bare name the problems carry
  std::string uri;
  std::string utf8;
};

// The diagnostics of `testi[testo]` among `problemi`. A problem on no text
// lies on the first line of `testi[ospite]`. Ranges cover the field the
// problem stands on; notes become related information.
nlohmann::json diagnostiche(const std::vector<Problema>& problemi,
                            const std::vector<TestoAperto>& testi, std::size_t testo,
                            std::size_t ospite);

}  // namespace scenari::lsp
