#include <memory>

#include "tool/comandi/comando.h"
#include "tool/compila.h"
#include "tool/nomi_cartella.h"
#include "tool/rapporto.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

// 0 when nothing is an error, 2 when something is (a warning too under
// --werror), 1 when a text cannot be read.
int stato_del_controllo(const EsitoCompilazione& e, bool werror) {
  if (e.stato == uscita_errore_file) return uscita_errore_file;
  if (e.ha_errori() || (werror && e.numero(Gravita::avviso) > 0)) return uscita_dati;
  return uscita_ok;
}

}  // namespace

Comando comando_check(CLI::App& app, platform::Files& files) {
  struct Opzioni {
    std::string cartella;
    Nomi nomi;
    bool json = false;
    bool werror = false;
  };
  auto o = std::make_shared<Opzioni>();
  auto* c = app.add_subcommand(
      "check", "report every problem of the description texts of DIR; write nothing");
  c->add_option("DIR", o->cartella, "directory holding the two description texts")->required();
  opzioni_nomi(*c, o->nomi);
  c->add_flag("--json", o->json, "print one JSON object instead of text");
  c->add_flag("--werror", o->werror, "count warnings as errors in the exit status");
  return {c, [o, &files] {
            const Nomi nomi = nomi_testi(o->cartella, o->nomi);
            rifiuta_nomi_non_validi(nomi.linea, nomi.treno);
            OpzioniCompilazione oc{o->cartella, o->cartella, nomi.linea, nomi.treno, true, false, true};
            EsitoCompilazione esito = compila(oc, files);
            esito.stato = stato_del_controllo(esito, o->werror);
            stampa_rapporto(oc, esito, o->json);
            return esito.stato;
          }};
}

}  // namespace scenari::tool
