// scenari-tool: compile description texts of one's own, inspect the binary
// files and draw the route, on the same core as scenari.
#include <CLI/CLI.hpp>
#include <iostream>

#include "core/avvio.h"
#include "core/formato_binario.h"
#include "platform/files.h"
#include "tool/compila.h"
#include "tool/dump.h"
#include "tool/esempio.h"
#include "tool/grafico.h"
#include "tool/rapporto.h"
#include "tool/stato.h"

namespace {

using namespace scenari;
using namespace scenari::tool;

std::string testo_json(const nlohmann::json& j) {
  return j.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
}

struct Nomi {
  std::string linea = nome_linea_incorporato;
  std::string treno = numero_treno_incorporato;
};

void opzioni_nomi(CLI::App& c, Nomi& n) {
  c.add_option("--line", n.linea, "route name the file names are formed from")
      ->capture_default_str();
  c.add_option("--train", n.treno, "train number the file names are formed from")
      ->capture_default_str();
}

int comando_texts(platform::Files& files, const std::string& cartella, bool sovrascrivi) {
  for (const auto& p : scrivi_esempio(files, cartella, sovrascrivi)) std::cout << "wrote " << p << '\n';
  return uscita_ok;
}

int comando_compile(platform::Files& files, OpzioniCompilazione o, bool json) {
  if (o.cartella_uscita.empty()) o.cartella_uscita = o.cartella;
  const EsitoCompilazione esito = compila(o, files);
  if (json) {
    std::cout << testo_json(rapporto_json(o, esito)) << '\n';
  } else {
    scrivi_rapporto_testo(std::cout, std::cerr, esito);
  }
  return esito.stato;
}

int comando_dump(platform::Files& files, const std::string& file, bool json) {
  const TipoFile tipo = tipo_da_nome(file);
  const std::string byte = files.read(file);
  try {
    if (json) {
      std::cout << testo_json(dump_json(tipo, byte)) << '\n';
    } else {
      scrivi_dump_testo(std::cout, tipo, byte);
    }
  } catch (const FormatoNonValido& e) {
    throw Rifiuto{uscita_dati, file + ": refused, " + e.what()};
  }
  return uscita_ok;
}

int comando_plot(platform::Files& files, const std::string& cartella, const Nomi& n,
                 const std::string& uscita) {
  const std::string svg = grafico_da_cartella(files, cartella, n.linea, n.treno);
  if (uscita.empty()) {
    std::cout << svg;
  } else {
    files.replace(uscita, svg);
  }
  return uscita_ok;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"scenari-tool: compile, inspect and draw train-driving scenarios"};
  app.set_version_flag("--version", "scenari-tool " SCENARI_VERSION);
  app.require_subcommand(1);

  std::string cartella_texts;
  bool sovrascrivi = false;
  auto* texts = app.add_subcommand("texts", "write the embedded scenario's two description texts into DIR");
  texts->add_option("DIR", cartella_texts, "directory to write into")->required();
  texts->add_flag("--force", sovrascrivi, "replace texts already there");

  OpzioniCompilazione o;
  Nomi nomi_compile;
  bool json_compile = false, senza_piano = false;
  auto* compile = app.add_subcommand("compile", "compact the description texts of DIR into the three binary files");
  compile->add_option("DIR", o.cartella, "directory holding the two description texts")->required();
  opzioni_nomi(*compile, nomi_compile);
  compile->add_flag("--no-plan", senza_piano, "build no plan geometry (no _linea.dat)");
  compile->add_option("--out", o.cartella_uscita, "directory for the binary files (default DIR)");
  compile->add_flag("--json", json_compile, "print one JSON object instead of text");

  std::string file_dump;
  bool json_dump = false;
  auto* dump = app.add_subcommand("dump", "decode a _linea.dat, .sim or .dat file");
  dump->add_option("FILE", file_dump, "binary file, recognised by its name")->required();
  dump->add_flag("--json", json_dump, "print JSON holding every member");

  std::string cartella_plot, svg_plot;
  Nomi nomi_plot;
  auto* plot = app.add_subcommand("plot", "draw the compiled scenario of DIR as one SVG");
  plot->add_option("DIR", cartella_plot, "directory holding the binary files")->required();
  plot->add_option("--out", svg_plot, "SVG file to write (default: standard output)");
  opzioni_nomi(*plot, nomi_plot);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? uscita_ok : uscita_uso;
  }

  platform::Files files;
  try {
    if (*texts) return comando_texts(files, cartella_texts, sovrascrivi);
    if (*compile) {
      o.nome_linea = nomi_compile.linea;
      o.numero_treno = nomi_compile.treno;
      o.planimetria = !senza_piano;
      return comando_compile(files, o, json_compile);
    }
    if (*dump) return comando_dump(files, file_dump, json_dump);
    return comando_plot(files, cartella_plot, nomi_plot, svg_plot);
  } catch (const Rifiuto& r) {
    std::cerr << "scenari-tool: " << r.messaggio << '\n';
    return r.stato;
  } catch (const platform::FileError& e) {
    std::cerr << "scenari-tool: " << e.what() << '\n';
    return uscita_errore_file;
  } catch (const FormatoNonValido& e) {
    std::cerr << "scenari-tool: " << cartella_plot << ": refused, " << e.what() << '\n';
    return uscita_dati;
  }
}
