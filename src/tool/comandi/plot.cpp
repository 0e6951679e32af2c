#include <iostream>
#include <memory>

#include "core/formato/formato_binario.h"
#include "tool/comandi/comando.h"
#include "tool/grafico.h"
#include "tool/stato.h"

namespace scenari::tool {

Comando comando_plot(CLI::App& app, platform::Files& files) {
  struct Opzioni {
    std::string cartella;
    std::string uscita;
    Nomi nomi;
  };
  auto o = std::make_shared<Opzioni>();
  auto* c = app.add_subcommand("plot", "draw the compiled scenario of DIR as one SVG");
  c->add_option("DIR", o->cartella, "directory holding the binary files")->required();
  c->add_option("--out", o->uscita, "SVG file to write (default: standard output)");
  opzioni_nomi(*c, o->nomi);
  return {c, [o, &files] {
            std::string svg;
            try {
              svg = grafico_da_cartella(files, o->cartella, o->nomi.linea, o->nomi.treno);
            } catch (const FormatoNonValido& e) {
              throw Rifiuto{uscita_dati, o->cartella + ": refused, " + e.what()};
            }
            if (o->uscita.empty()) {
              std::cout << svg;
            } else {
              files.replace(o->uscita, svg);
            }
            return uscita_ok;
          }};
}

}  // namespace scenari::tool
