// The command line of scenari-tool as its user meets it: the usage, `help`
// and `--version`, and every problem of a command line worded in the tool's
// own manner, with the nearest command or option to what was typed.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace scenari::tool {

// The usage text: how to call the program, then every command of `app`
// with its description.
std::string testo_uso(const CLI::App& app);

// The name among `nomi` nearest to `scritto`, when one is near enough to be
// a likely slip (a typing error or the start of a name).
std::optional<std::string> nome_vicino(const std::vector<std::string>& nomi,
                                       std::string_view scritto);
std::optional<std::string> comando_vicino(const CLI::App& app, std::string_view scritto);

// Adds what every command takes beside its own options: --color, and the
// `help [COMMAND]` command. Called once the commands are in `app`.
void aggiungi_opzioni_comuni(CLI::App& app);

// Reads the command line into `app`. Returns nothing when a command is to
// run; otherwise the status to end with, once the usage, a command's help or
// the version is printed on `out` (status 0), or the missing or unknown
// command and the usage on `err` (uscita_uso). A command line that names a
// command but cannot be understood throws Rifiuto with uscita_uso.
std::optional<int> leggi_linea_comando(CLI::App& app, int argc, const char* const* argv,
                                       std::ostream& out, std::ostream& err);

}  // namespace scenari::tool
