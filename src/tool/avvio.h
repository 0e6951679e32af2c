// What every program of scenari-tool does around its commands: the command
// line read into them, the one given run, and every failure that reaches the
// top reported in the tool's manner with its exit status.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

#include "platform/arguments.h"
#include "platform/files.h"
#include "tool/comandi/comando.h"

namespace scenari::tool {

// The commands of one program, added to `app`. `argomenti` is the command
// line as given, for a command that hands it on to another program.
using ElencoComandi = std::function<std::vector<Comando>(
    CLI::App& app, platform::Files& files, platform::Arguments& argomenti)>;

// The whole run of a program made of the commands of `elenco`; its exit
// status.
int avvia(int argc, char** argv, const ElencoComandi& elenco);

}  // namespace scenari::tool
