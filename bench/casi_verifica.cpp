// The diagnostics of a train text holding many lines of unknown keywords,
// each a warning: the analysis of the two texts, then the text report, the
// JSON report or the language server's first diagnostics of both texts. The
// cost must grow with the text, not with the text times its problems.
// Floor: cutting the two texts into lines once, the least any report of
// their lines does.
#include <array>
#include <sstream>
#include <string>

#include "bench/casi.h"
#include "bench/generatore.h"
#include "core/lettura/scansione.h"
#include "tool/lsp/diagnostiche.h"
#include "tool/rapporto.h"
#include "tool/verifica/analisi.h"

namespace scenari::bench {

namespace {

constexpr std::array<std::int32_t, 3> righe_ignote = {2000, 8000, 32'000};
constexpr const char* linea_txt = "Sintetica_Bench_linea.txt";
constexpr const char* treno_txt = "Sintetica_Bench_1-.txt";

struct Testi {
  std::string linea;
  std::string treno;
};

Testi testi_con_righe_ignote(std::int32_t n) {
  ScenarioSintetico s = genera_scenario(7000);
  std::string ignote;
  for (std::int32_t i = 0; i < n; ++i) ignote += "sconosciuta " + std::to_string(i) + ", 1, 2\r\n";
  const std::string generale = "[generale]\r\n";
  s.treno.insert(s.treno.find(generale) + generale.size(), ignote);
  return {std::move(s.linea), std::move(s.treno)};
}

tool::Analisi analisi(const Testi& t) {
  return tool::analizza({"Sintetica_Bench", "1", true}, {t.linea, t.treno});
}

tool::EsitoCompilazione esito(const Testi& t) {
  tool::EsitoCompilazione e;
  e.problemi = analisi(t).problemi;
  e.sorgenti = {{linea_txt, t.linea}, {treno_txt, t.treno}};
  return e;
}

std::size_t testo(const Testi& t) {
  std::ostringstream out, err;
  tool::scrivi_rapporto_testo(out, err, esito(t));
  return err.str().size();
}

std::size_t json(const Testi& t) {
  return tool::testo_json(tool::rapporto_json({}, esito(t))).size();
}

std::size_t lsp(const Testi& t) {
  const std::vector<Problema> problemi = analisi(t).problemi;
  const std::vector<lsp::TestoAperto> aperti = {{linea_txt, "file:///l", t.linea},
                                                {treno_txt, "file:///t", t.treno}};
  std::size_t n = 0;
  for (std::size_t i = 0; i < aperti.size(); ++i) n += lsp::diagnostiche(problemi, aperti, i, 1).dump().size();
  return n;
}

void floor(benchmark::State& state, const Testi& t) {
  for (auto _ : state) {
    const IndiceRighe linea(t.linea), treno(t.treno);
    benchmark::DoNotOptimize(linea.numero_righe() + treno.numero_righe());
  }
}

}  // namespace

void registra_verifica() {
  using Rapporto = std::size_t (*)(const Testi&);
  const std::array<std::pair<const char*, Rapporto>, 3> rapporti = {
      {{"check", testo}, {"check --json", json}, {"lsp diagnostics", lsp}}};
  for (const std::int32_t n : righe_ignote) {
    for (const auto& [nome, rapporto] : rapporti) {
      registra_coppia(
          std::string(nome) + " " + std::to_string(n) + " unknown lines",
          [n, r = rapporto](benchmark::State& s) {
            const Testi t = testi_con_righe_ignote(n);
            for (auto _ : s) benchmark::DoNotOptimize(r(t));
          },
          [n](benchmark::State& s) { floor(s, testi_con_righe_ignote(n)); });
    }
  }
}

}  // namespace scenari::bench
