// scenari-tool serve: the options, and the server that runs on them (a
// build without an HTTP server says so instead).
#pragma once

#include <string>

#include "platform/files.h"
#include "tool/nomi_cartella.h"

namespace scenari::tool {

struct OpzioniServe {
  std::string cartella;
  Nomi nomi;
  std::string host = "127.0.0.1";
  int porta = 0;
};

// Serves the page until a stop is requested; the exit status.
int servi(platform::Files& files, const OpzioniServe& o);

}  // namespace scenari::tool
