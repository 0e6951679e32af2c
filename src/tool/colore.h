// When scenari-tool colours its messages: the --color choice of the command
// line, made once before a command runs, "auto" asking the terminal.
#pragma once

#include <optional>
#include <string_view>

#include "platform/terminal.h"

namespace scenari::tool {

enum class Colore { automatico, sempre, mai };

// The choice named "auto", "always" or "never"; nothing for another word.
std::optional<Colore> colore_da_nome(std::string_view nome);

void scegli_colore(Colore c);

// Whether messages written on `stream` are coloured.
bool colore_su(platform::Stream stream);

}  // namespace scenari::tool
