#include <iostream>
#include <thread>

#include "platform/file_watcher.h"
#include "platform/stop_requests.h"
#include "tool/comandi/serve.h"
#include "tool/grafico/grafico.h"
#include "tool/nomi_cartella.h"
#include "tool/servizio/diffusione.h"
#include "tool/servizio/scenario_vivo.h"
#include "tool/servizio/server_pagine.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

using namespace std::chrono_literals;

std::string indirizzo(const std::string& host, int porta) {
  const bool ipv6 = host.find(':') != std::string::npos;
  return "http://" + (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(porta) + "/";
}

// An editor may save in several steps (truncate, write, rename): the
// steps that follow within a moment are taken with the first, a bounded
// number of them, so a file rewritten without pause still gets compiled.
void attendi_quiete(platform::FileWatcher& w) {
  for (int i = 0; i < 20 && w.wait(40ms); ++i) {
  }
}

// Recompiles after every change of the texts until a stop is requested.
void segui_i_testi(ScenarioVivo& scenario, Diffusione& diffusione,
                   const platform::StopRequests& stop) {
  platform::FileWatcher sorvegliante(scenario.testi());
  while (!stop.requested()) {
    if (!sorvegliante.wait(250ms)) continue;
    attendi_quiete(sorvegliante);
    if (!scenario.rileggi()) continue;
    diffusione.pubblica(scenario.dati());
    std::cout << "recompiled after a change of the texts\n" << std::flush;
  }
}

}  // namespace

int servi(platform::Files& files, const OpzioniServe& o) {
  const Nomi nomi = nomi_testi(o.cartella, o.nomi);
  rifiuta_nomi_non_validi(nomi.linea, nomi.treno);
  ScenarioVivo scenario(files, o.cartella, {nomi.linea, nomi.treno, true}, true);
  scenario.rileggi();
  Diffusione diffusione;
  diffusione.pubblica(scenario.dati());
  ServerPagine server(diffusione, [&scenario](const Edizione& e) {
    return pagina_html(scenario.titolo(), *e.dati, true);
  });
  // Made before the server's threads, which leave the requests to it.
  platform::StopRequests stop([&] {
    diffusione.chiudi();
    server.ferma();
  });
  const int porta = server.apri(o.host, o.porta);
  std::thread ascolto([&server] { server.servi(); });
  server.attendi_ascolto();
  std::cout << "serving the viewer of " << o.cartella << " at " << indirizzo(o.host, porta)
            << " (Ctrl+C stops)\n"
            << std::flush;
  try {
    segui_i_testi(scenario, diffusione, stop);
  } catch (...) {
    diffusione.chiudi();
    server.ferma();
    ascolto.join();
    throw;
  }
  diffusione.chiudi();
  server.ferma();
  ascolto.join();
  std::cout << "stopped\n";
  return uscita_ok;
}

}  // namespace scenari::tool
