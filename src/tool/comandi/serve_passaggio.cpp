#include <algorithm>
#include <string_view>

#include "platform/hand_over.h"
#include "platform/paths.h"
#include "platform/program_directory.h"
#include "tool/comandi/serve.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

// `relativa` ("../libexec/scenari") below `cartella`, each ".." taken as
// the parent directory and each part joined with the system's separator,
// so the path named reads plainly.
std::string sotto(std::string cartella, std::string_view relativa) {
  while (!relativa.empty()) {
    const std::size_t fine = std::min(relativa.find('/'), relativa.size());
    const std::string_view parte = relativa.substr(0, fine);
    cartella = parte == ".." ? platform::directory_of(cartella)
                             : platform::join(cartella, std::string(parte));
    relativa.remove_prefix(std::min(fine + 1, relativa.size()));
  }
  return cartella;
}

}  // namespace

int passa_al_server(platform::Files& files, platform::Arguments& argomenti) {
  // Beside this program in the build and the Windows archive; installed,
  // where the package keeps its helper programs.
  const std::string qui = platform::program_directory();
  const std::string accanto = platform::join(qui, SCENARI_SERVE);
  const std::string installato = platform::join(sotto(qui, SCENARI_SERVE_CARTELLA), SCENARI_SERVE);
  for (const std::string& programma : {accanto, installato}) {
    if (files.exists(programma)) return platform::hand_over(programma, argomenti.values());
  }
  throw Rifiuto{uscita_errore_file,
                "error: the server of 'serve' is missing: neither " + installato + " nor " +
                    accanto + " exists\n"
                    "  help: install scenari again, or build the target scenari-serve"};
}

}  // namespace scenari::tool
