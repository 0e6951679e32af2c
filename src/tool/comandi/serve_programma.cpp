// scenari-serve: the server of `scenari-tool serve`, a program of its own so
// that the HTTP library is loaded by it alone. scenari-tool hands it its
// whole command line, which it reads as scenari-tool reads it.
#include <vector>

#include "tool/avvio.h"
#include "tool/comandi/serve.h"

int main(int argc, char** argv) {
  using namespace scenari;
  using namespace scenari::tool;
  return avvia(argc, argv, [](CLI::App& app, platform::Files& files, platform::Arguments&) {
    return std::vector<Comando>{
        comando_serve(app, [&files](const OpzioniServe& o) { return servi(files, o); })};
  });
}
