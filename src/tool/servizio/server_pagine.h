// The viewer over HTTP: the page at "/", and at "/events" a stream of
// server-sent events, one "scenario" event with the page's data for every
// edition of the diffusion, so an open page redraws without a reload.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "tool/servizio/diffusione.h"

namespace scenari::tool {

class ServerPagine {
 public:
  // `pagina` makes the whole page around the data of an edition.
  ServerPagine(const Diffusione& diffusione, std::function<std::string(const Edizione&)> pagina);
  ~ServerPagine();
  ServerPagine(const ServerPagine&) = delete;
  ServerPagine& operator=(const ServerPagine&) = delete;

  // Binds to `host` and `porta` (0: a free port chosen by the system) and
  // returns the port; throws Rifiuto naming the address when it cannot.
  int apri(const std::string& host, int porta);
  // Answers requests until `ferma`.
  void servi();
  // Waits until `servi`, on another thread, answers: a `ferma` before then
  // would be lost.
  void attendi_ascolto() const;
  // Ends `servi` and every open connection; callable from any thread. The
  // diffusion must be closed first, so no stream waits for an edition.
  void ferma();

 private:
  struct Stato;
  std::unique_ptr<Stato> stato_;
};

}  // namespace scenari::tool
