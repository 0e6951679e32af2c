#include <iostream>
#include <memory>

#include "core/formato/formato_binario.h"
#include "tool/comandi/comando.h"
#include "tool/cp1252.h"
#include "tool/dump.h"
#include "tool/stato.h"

namespace scenari::tool {

Comando comando_dump(CLI::App& app, platform::Files& files) {
  struct Opzioni {
    std::string file;
    bool json = false;
    Selezione selezione;
  };
  auto o = std::make_shared<Opzioni>();
  auto* c = app.add_subcommand("dump", "decode a _linea.dat, .sim or .dat file");
  c->add_option("FILE", o->file, "binary file, recognised by its name")->required();
  c->add_flag("--json", o->json, "print JSON holding every member");
  c->add_option("--from", o->selezione.da, "first metre to show (cells and plan points)");
  c->add_option("--to", o->selezione.a, "last metre to show (cells and plan points)");
  c->add_flag("--nonempty", o->selezione.solo_piene,
              "show only the cells that hold an object, an approach code or the start stamp");
  return {c, [o, &files] {
            rifiuta_intervallo_vuoto(o->selezione.da, o->selezione.a, true);
            const TipoFile tipo = tipo_da_nome(o->file);
            const std::string byte = [&] {
              try {
                return files.read(o->file);
              } catch (const platform::FileError& e) {
                throw platform::FileError(nome_visibile(e.path()), e.reason());
              }
            }();
            try {
              if (o->json) {
                scrivi_dump_json(std::cout, tipo, byte, o->selezione);
                std::cout << '\n';
              } else {
                scrivi_dump_testo(std::cout, tipo, byte, o->selezione);
              }
            } catch (const FormatoNonValido& e) {
              throw Rifiuto{uscita_dati, nome_visibile(o->file) + ": refused, " + e.what()};
            }
            return uscita_ok;
          }};
}

}  // namespace scenari::tool
