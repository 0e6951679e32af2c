#include "tool/servizio/server_pagine.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "tool/stato.h"

namespace scenari::tool {

namespace {

using namespace std::chrono_literals;

// Connections each hold a thread of the pool while open; the streams of
// open pages may take all but a few, so a page can always be loaded.
constexpr std::size_t fili = 16;
constexpr int flussi_massimi = 12;
// An idle stream sends a comment this often, which finds pages closed
// without a word.
constexpr auto battito = 10s;

bool indirizzo_locale(const std::string& host) {
  return host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0;
}

// The Host header a page of ours sends: the names of the loopback address
// and the port. Any other, on a loopback server, is a page of another site
// that had its name point here, and is refused.
bool host_ammesso(const std::string& header, int porta) {
  const std::string p = ":" + std::to_string(porta);
  for (const char* nome : {"127.0.0.1", "localhost", "[::1]"}) {
    if (header == nome + p) return true;
  }
  return false;
}

std::string evento(const Edizione& e) {
  return "id: " + std::to_string(e.numero) + "\nevent: scenario\ndata: " + *e.dati + "\n\n";
}

std::uint64_t numero_visto(const httplib::Request& r) {
  const std::string id = r.get_header_value("Last-Event-ID");
  if (id.empty() || id.size() > 19 || !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
  return std::stoull(id);
}

}  // namespace

struct ServerPagine::Stato {
  Stato(const Diffusione& d, std::function<std::string(const Edizione&)> p)
      : diffusione(d), pagina(std::move(p)) {
    prepara();
  }

  const Diffusione& diffusione;
  std::function<std::string(const Edizione&)> pagina;
  httplib::Server server;
  std::string host;
  int porta = 0;
  std::atomic<int> flussi{0};
  std::atomic<bool> finito{false};  // servi has returned

  void pagina_intera(httplib::Response& r) const {
    r.set_header("Cache-Control", "no-store");
    r.set_content(pagina(diffusione.ultima()), "text/html; charset=utf-8");
  }

  // One stream of events: the latest edition at once unless the page
  // already has it, then every later one.
  void flusso(const httplib::Request& q, httplib::Response& r) {
    if (++flussi > flussi_massimi) {
      --flussi;
      r.status = 503;
      r.set_content("too many open pages\n", "text/plain");
      return;
    }
    r.set_header("Cache-Control", "no-store");
    auto vista = std::make_shared<std::uint64_t>(numero_visto(q));
    r.set_chunked_content_provider(
        "text/event-stream",
        [this, vista](std::size_t, httplib::DataSink& sink) {
          if (diffusione.chiusa()) {
            sink.done();
            return true;
          }
          std::string testo = ": ok\n\n";
          if (const auto e = diffusione.attendi(*vista, battito)) {
            *vista = e->numero;
            testo = evento(*e);
          }
          return sink.write(testo.data(), testo.size());
        },
        [this](bool) { --flussi; });
  }

  void prepara() {
    server.new_task_queue = [] { return new httplib::ThreadPool(fili); };
    // A connection left open after its last answer delays the stop by
    // as much.
    server.set_keep_alive_timeout(1);
    server.set_pre_routing_handler([this](const httplib::Request& q, httplib::Response& r) {
      if (!indirizzo_locale(host) || host_ammesso(q.get_header_value("Host"), porta)) {
        return httplib::Server::HandlerResponse::Unhandled;
      }
      r.status = 403;
      r.set_content("refused: this server answers pages of its own address only\n", "text/plain");
      return httplib::Server::HandlerResponse::Handled;
    });
    server.Get("/", [this](const httplib::Request&, httplib::Response& r) { pagina_intera(r); });
    server.Get("/events", [this](const httplib::Request& q, httplib::Response& r) { flusso(q, r); });
  }
};

ServerPagine::ServerPagine(const Diffusione& diffusione,
                           std::function<std::string(const Edizione&)> pagina)
    : stato_(std::make_unique<Stato>(diffusione, std::move(pagina))) {}

ServerPagine::~ServerPagine() = default;

int ServerPagine::apri(const std::string& host, int porta) {
  stato_->host = host;
  const bool aperto = porta == 0 ? (porta = stato_->server.bind_to_any_port(host)) > 0
                                 : stato_->server.bind_to_port(host, porta);
  if (!aperto) {
    throw Rifiuto{uscita_errore_file, "cannot listen on " + host + ":" +
                                          (porta > 0 ? std::to_string(porta) : "any port") +
                                          " (the port is taken, or the address is not this machine's)"};
  }
  stato_->porta = porta;
  return porta;
}

void ServerPagine::servi() {
  stato_->server.listen_after_bind();
  stato_->finito = true;
}

void ServerPagine::attendi_ascolto() const {
  while (!stato_->server.is_running() && !stato_->finito) std::this_thread::sleep_for(5ms);
}

void ServerPagine::ferma() { stato_->server.stop(); }

}  // namespace scenari::tool
