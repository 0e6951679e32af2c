#include <iostream>
#include <memory>

#include "tool/comandi/comando.h"
#include "tool/esempio.h"
#include "tool/stato.h"

namespace scenari::tool {

Comando comando_texts(CLI::App& app, platform::Files& files) {
  struct Opzioni {
    std::string cartella;
    bool sovrascrivi = false;
  };
  auto o = std::make_shared<Opzioni>();
  auto* c = app.add_subcommand("texts", "write the embedded scenario's two description texts into DIR");
  c->add_option("DIR", o->cartella, "directory to write into")->required();
  c->add_flag("--force", o->sovrascrivi, "replace texts already there");
  return {c, [o, &files] {
            for (const auto& p : scrivi_esempio(files, o->cartella, o->sovrascrivi)) {
              std::cout << "wrote " << p << '\n';
            }
            return uscita_ok;
          }};
}

}  // namespace scenari::tool
