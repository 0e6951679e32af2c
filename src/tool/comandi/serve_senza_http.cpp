#include "tool/comandi/serve.h"
#include "tool/stato.h"

namespace scenari::tool {

// Debian's HTTP server library is built for Linux only, so a build for
// another system has the command, its options and its help, but no server.
int servi(platform::Files&, const OpzioniServe&) {
  throw Rifiuto{uscita_errore_file,
                "error: 'serve' is not part of this build: it has no HTTP server\n"
                "  help: 'scenari-tool plot DIR --html --out FILE' writes the same page; "
                "run it again after saving the texts and reload the page"};
}

}  // namespace scenari::tool
