// The TextMate grammar of a description text, for editors that colour text
// by one. editors/vscode/syntaxes/ holds the grammars it writes; a test
// fails when the two differ.
#pragma once

#include <string>
#include <string_view>

#include "core/lettura/tabella_voci.h"

namespace scenari::riferimento {

// The grammar as JSON, with the scope "source.scenari-" + `lingua`.
std::string grammatica(const Testo& testo, std::string_view lingua);

}  // namespace scenari::riferimento
