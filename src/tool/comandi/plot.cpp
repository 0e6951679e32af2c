#include <iostream>
#include <memory>
#include <optional>

#include "core/formato/formato_binario.h"
#include "tool/comandi/comando.h"
#include "tool/grafico/grafico.h"
#include "tool/nomi_cartella.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

struct OpzioniPlot {
  std::string cartella;
  std::string uscita;
  Nomi nomi;
  bool html = false;
  std::optional<double> da_km;
  std::optional<double> a_km;
  bool senza_coda = false;
};

std::optional<double> metri(const std::optional<double>& km) {
  if (!km) return std::nullopt;
  return *km * 1000;
}

std::string disegna(platform::Files& files, const OpzioniPlot& o) {
  rifiuta_intervallo_vuoto(o.da_km, o.a_km, false);
  const Nomi nomi = nomi_binari(o.cartella, o.nomi);
  rifiuta_nomi_non_validi(nomi.linea, nomi.treno);
  DatiGrafico dati;
  try {
    dati = dati_da_cartella(files, o.cartella, nomi.linea, nomi.treno);
  } catch (const FormatoNonValido& e) {
    throw Rifiuto{uscita_dati, o.cartella + ": refused, " + e.what()};
  }
  if (o.html) return pagina_html(dati, !o.senza_coda);
  return disegna_svg(dati, {metri(o.da_km), metri(o.a_km), !o.senza_coda});
}

}  // namespace

Comando comando_plot(CLI::App& app, platform::Files& files) {
  auto o = std::make_shared<OpzioniPlot>();
  auto* c = app.add_subcommand(
      "plot", "draw the compiled scenario of DIR as one SVG, or as one interactive HTML page");
  c->add_option("DIR", o->cartella, "directory holding the binary files (and the description texts, "
                                    "for each object's entry and the compile's problems)")
      ->required();
  c->add_option("--out", o->uscita, "file to write (default: standard output)");
  c->add_flag("--html", o->html, "write an HTML page to zoom, pan and inspect the route");
  auto* da = c->add_option("--from", o->da_km, "SVG: first kilometre drawn")->check(CLI::Number);
  auto* a = c->add_option("--to", o->a_km, "SVG: last kilometre drawn")->check(CLI::Number);
  c->add_flag("--no-run-out", o->senza_coda,
              "stop at the route's stated length, without the track added after it");
  da->excludes("--html");
  a->excludes("--html");
  opzioni_nomi(*c, o->nomi);
  return {c, [o, &files] {
            const std::string testo = disegna(files, *o);
            if (o->uscita.empty()) {
              std::cout << testo;
            } else {
              files.replace(o->uscita, testo);
            }
            return uscita_ok;
          }};
}

}  // namespace scenari::tool
