// scenari-tool serve: the options; the server that runs on them, in the
// program of its own (a build without an HTTP server says so instead); and
// scenari-tool's side, which hands the command line over to that program.
#pragma once

#include <functional>
#include <string>

#include "platform/arguments.h"
#include "platform/files.h"
#include "tool/comandi/comando.h"
#include "tool/nomi_cartella.h"

namespace scenari::tool {

struct OpzioniServe {
  std::string cartella;
  Nomi nomi;
  std::string host = "127.0.0.1";
  int porta = 0;
};

// The command, its options and help, run by `esegui` once they are read.
Comando comando_serve(CLI::App& app, std::function<int(const OpzioniServe&)> esegui);

// Serves the page until a stop is requested; the exit status.
int servi(platform::Files& files, const OpzioniServe& o);

// Runs the server program with this command line in place of scenari-tool
// (on Windows: as its child); its exit status. Refused, naming the program,
// when it is not installed.
int passa_al_server(platform::Files& files, platform::Arguments& argomenti);

}  // namespace scenari::tool
