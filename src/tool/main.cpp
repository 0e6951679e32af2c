// scenari-tool: check and compile description texts of one's own, inspect
// the binary files and draw the route, on the same core as scenari. `serve`
// hands its command line to a program of its own, so that only that program
// loads the HTTP server.
#include <vector>

#include "tool/avvio.h"
#include "tool/comandi/comando.h"
#include "tool/comandi/serve.h"

int main(int argc, char** argv) {
  using namespace scenari;
  using namespace scenari::tool;
  return avvia(argc, argv, [](CLI::App& app, platform::Files& files,
                              platform::Arguments& argomenti) {
    return std::vector<Comando>{
        comando_texts(app, files), comando_check(app, files), comando_compile(app, files),
        comando_dump(app, files),  comando_plot(app, files),  comando_lsp(app, files),
        comando_serve(app, [&files, &argomenti](const OpzioniServe&) {
          return passa_al_server(files, argomenti);
        })};
  });
}
