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
    std::string linea = nome_linea_incorporato;
    std::string treno = numero_treno_incorporato;
  };
  auto o = std::make_shared<Opzioni>();
  auto* c = app.add_subcommand("texts", "write the embedded scenario's two description texts into DIR");
  c->add_option("DIR", o->cartella, "directory to write into, created when missing")->required();
  c->add_option("--line", o->linea, "route name the file names are formed from")
      ->capture_default_str();
  c->add_option("--train", o->treno, "train number the file names are formed from")
      ->capture_default_str();
  c->add_flag("--force", o->sovrascrivi, "replace texts already there");
  return {c, [o, &files] {
            for (const auto& p : scrivi_esempio(files, o->cartella, o->sovrascrivi, o->linea, o->treno)) {
              std::cout << "wrote " << p << '\n';
            }
            return uscita_ok;
          }};
}

}  // namespace scenari::tool
