#include "bench/generatore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/percorso/compattazione.h"
#include "support/codice.h"

namespace scenari {
namespace {

std::int32_t conta_celle(const Modello& m, std::uint8_t tipo) {
  std::int32_t n = 0;
  for (const auto& c : m.celle_percorso) n += c.tipo == tipo ? 1 : 0;
  return n;
}

// Every generated length compiles without a data problem, places one signal
// per 2000 m block and a slowdown in every fifth, and fills the plan view to
// its last two points: nothing the generator wrote was refused or dropped.
TEST(Generatore, OgniLunghezzaCompilaSenzaErrori) {
  for (const std::int32_t lunghezza : {7000, 10'000, 100'000, bench::lunghezza_massima}) {
    SCOPED_TRACE(lunghezza);
    const bench::ScenarioSintetico scenario = bench::genera_scenario(lunghezza);
    const Compattazione c = compatta(Scenario{"Sintetica_Prova", "1", true},
                                     TestiDescrizione{scenario.linea, scenario.treno});
    const Modello& m = c.modello();

    EXPECT_TRUE(m.problemi.empty()) << m.problemi.front().luogo.file << ':'
                                    << m.problemi.front().luogo.riga << ": "
                                    << m.problemi.front().controllo;
    EXPECT_EQ(m.codice_errore(), std::nullopt);
    const std::int32_t blocchi = lunghezza / 2000;
    EXPECT_EQ(m.lunghezza_totale, lunghezza + 7000);
    EXPECT_EQ(conta_celle(m, 1), blocchi);
    EXPECT_EQ(conta_celle(m, 3), (blocchi + 2) / 5);
    EXPECT_GT(conta_celle(m, 12), 0);
    const std::vector<FileBinario> file = c.file();
    ASSERT_EQ(file.size(), 3u);
    EXPECT_EQ(file[0].dimensione, 20u * static_cast<std::size_t>(m.lunghezza_totale) - 36u);
    EXPECT_EQ(file[2].dimensione, 15u * m.celle_percorso.size());
  }
}

TEST(Generatore, StessiParametriStessiTesti) {
  const auto a = bench::genera_scenario(30'000, 7);
  const auto b = bench::genera_scenario(30'000, 7);
  const auto c = bench::genera_scenario(30'000, 8);
  EXPECT_EQ(a.linea, b.linea);
  EXPECT_EQ(a.treno, b.treno);
  EXPECT_NE(a.treno, c.treno);
}

}  // namespace
}  // namespace scenari
