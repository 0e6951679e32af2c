#include <memory>
#include <utility>

#include "tool/comandi/comando.h"
#include "tool/comandi/serve.h"

namespace scenari::tool {

Comando comando_serve(CLI::App& app, std::function<int(const OpzioniServe&)> esegui) {
  auto o = std::make_shared<OpzioniServe>();
  auto* c = app.add_subcommand(
      "serve", "serve the route viewer of DIR's texts, redrawn on every save; write nothing");
  c->add_option("DIR", o->cartella, "directory holding the two description texts")->required();
  opzioni_nomi(*c, o->nomi);
  c->add_option("--port", o->porta, "port to listen on (default: a free one, printed)")
      ->check(CLI::Range(0, 65535));
  c->add_option("--host", o->host,
                "address to listen on (default 127.0.0.1: this machine only)");
  return {c, [o, esegui = std::move(esegui)] { return esegui(*o); }};
}

}  // namespace scenari::tool
