#include <memory>

#include "tool/comandi/comando.h"
#include "tool/compila.h"
#include "tool/rapporto.h"
#include "tool/stato.h"

namespace scenari::tool {

Comando comando_compile(CLI::App& app, platform::Files& files) {
  struct Opzioni {
    OpzioniCompilazione compilazione;
    Nomi nomi;
    bool json = false;
    bool senza_piano = false;
    bool senza_attesa = false;
    bool werror = false;
  };
  auto o = std::make_shared<Opzioni>();
  auto* c = app.add_subcommand("compile", "compact the description texts of DIR into the three binary files");
  c->add_option("DIR", o->compilazione.cartella, "directory holding the two description texts")->required();
  opzioni_nomi(*c, o->nomi);
  c->add_flag("--no-plan", o->senza_piano, "build no plan geometry (no _linea.dat)");
  c->add_option("--out", o->compilazione.cartella_uscita, "directory for the binary files (default DIR)");
  c->add_flag("--json", o->json, "print one JSON object instead of text");
  c->add_flag("--werror", o->werror, "count warnings as errors in the exit status");
  c->add_flag("--no-wait", o->senza_attesa,
              "fail at once when another compile is writing into the output directory");
  return {c, [o, &files] {
            OpzioniCompilazione oc = o->compilazione;
            if (oc.cartella_uscita.empty()) oc.cartella_uscita = oc.cartella;
            const Nomi nomi = nomi_testi(oc.cartella, o->nomi);
            rifiuta_nomi_non_validi(nomi.linea, nomi.treno);
            oc.nome_linea = nomi.linea;
            oc.numero_treno = nomi.treno;
            oc.planimetria = !o->senza_piano;
            oc.attendi = !o->senza_attesa;
            EsitoCompilazione esito = compila(oc, files);
            // The files are written all the same: only the status tells.
            if (o->werror && esito.stato == uscita_ok && esito.numero(Gravita::avviso) > 0) {
              esito.stato = uscita_dati;
            }
            stampa_rapporto(oc, esito, o->json);
            return esito.stato;
          }};
}

}  // namespace scenari::tool
