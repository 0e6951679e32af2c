// Whether a route name and a train number can form the file names of a
// scenario: each name must stay one plain file name in its directory, and
// the names must stay distinct, from each other and from those of every
// other scenario the directory may hold. What Windows cannot hold is refused here
// too, so a scenario made anywhere copies to the simulator's machines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenari {

// Why the names are refused ("route name contains '/'", ...), or nothing
// when every file name they form is sound.
std::optional<std::string> nome_rifiutato(std::string_view nome_linea, std::string_view numero_treno);

}  // namespace scenari
