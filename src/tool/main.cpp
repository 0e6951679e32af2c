// scenari-tool: check and compile description texts of one's own, inspect
// the binary files and draw the route, on the same core as scenari.
#include <CLI/CLI.hpp>
#include <iostream>
#include <vector>

#include "platform/files.h"
#include "tool/comandi/comando.h"
#include "tool/stato.h"
#include "tool/uso.h"

int main(int argc, char** argv) {
  using namespace scenari;
  using namespace scenari::tool;
  CLI::App app{"scenari-tool: compile, inspect and draw train-driving scenarios"};
  app.set_version_flag("--version", "scenari-tool " SCENARI_VERSION);
  app.require_subcommand(1);

  platform::Files files;
  const std::vector<Comando> comandi = {comando_texts(app, files), comando_check(app, files),
                                        comando_compile(app, files), comando_dump(app, files),
                                        comando_plot(app, files)};
  if (const auto stato = uso_senza_comando(app, argc, argv, std::cerr)) return *stato;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? uscita_ok : uscita_uso;
  }

  try {
    for (const Comando& c : comandi) {
      if (*c.sottocomando) return c.esegui();
    }
    return uscita_uso;
  } catch (const Rifiuto& r) {
    std::cerr << "scenari-tool: " << r.messaggio << '\n';
    return r.stato;
  } catch (const platform::FileError& e) {
    std::cerr << "scenari-tool: " << e.what() << '\n';
    return uscita_errore_file;
  }
}
