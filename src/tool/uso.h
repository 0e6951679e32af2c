// What scenari-tool prints when it is called without a command it knows:
// the commands, one line each, and the nearest one to what was typed.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace scenari::tool {

// The usage text: how to call the program, then every command of `app`
// with its description.
std::string testo_uso(const CLI::App& app);

// The command of `app` nearest to `scritto`, when one is near enough to be
// a likely slip (a typing error or the start of a name).
std::optional<std::string> comando_vicino(const CLI::App& app, std::string_view scritto);

// When the command line names no command, or a first word that is no
// command, prints the problem and the usage on `err` and returns uscita_uso;
// otherwise returns nothing and the command line is parsed as usual.
std::optional<int> uso_senza_comando(const CLI::App& app, int argc, const char* const* argv,
                                     std::ostream& err);

}  // namespace scenari::tool
