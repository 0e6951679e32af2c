// One subcommand of scenari-tool: it adds itself and its options to the
// application and hands back what runs it once the command line is parsed.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/files.h"
#include "tool/rapporto.h"
#include "tool/nomi_cartella.h"

namespace scenari::tool {

struct Comando {
  CLI::App* sottocomando = nullptr;
  std::function<int()> esegui;
};

Comando comando_texts(CLI::App& app, platform::Files& files);
Comando comando_check(CLI::App& app, platform::Files& files);
Comando comando_compile(CLI::App& app, platform::Files& files);
Comando comando_dump(CLI::App& app, platform::Files& files);
Comando comando_plot(CLI::App& app, platform::Files& files);
Comando comando_lsp(CLI::App& app, platform::Files& files);
Comando comando_serve(CLI::App& app, platform::Files& files);

// The route name and train number options every command that names a
// scenario's files takes; Nomi records which were given, so the rest can be
// taken from the files of DIR (tool/nomi_cartella.h).
void opzioni_nomi(CLI::App& c, Nomi& n);


}  // namespace scenari::tool
