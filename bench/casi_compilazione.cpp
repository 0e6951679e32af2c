// The whole compaction of generated routes in memory: the two description
// texts in, the model built and protected, the three binary files encoded.
// Floor: copying bytes of the same size as the three files, each once.
#include <array>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/casi.h"
#include "bench/generatore.h"
#include "core/percorso/compattazione.h"

namespace scenari::bench {

namespace {

constexpr std::array<std::int32_t, 6> lunghezze = {7000,    10'000,  30'000,
                                                   100'000, 300'000, lunghezza_massima};

Compattazione compila(const ScenarioSintetico& scenario) {
  Compattazione c = compatta(Scenario{"Sintetica_Bench", "1", true},
                             TestiDescrizione{scenario.linea, scenario.treno});
  if (c.esito != EsitoPercorso::completo || c.modello.codice_errore() != 0) {
    throw std::runtime_error("the generated route did not compile cleanly");
  }
  return c;
}

// Each file encoded whole and let go before the next, as a writer that
// streams them would hold them.
std::size_t codifica_tutti(const Compattazione& c) {
  std::size_t scritti = 0;
  for (const FileBinario& f : c.file()) {
    const std::string byte = byte_di(f);
    benchmark::DoNotOptimize(byte.data());
    scritti += byte.size();
  }
  return scritti;
}

void caso(benchmark::State& state, std::int32_t lunghezza) {
  const ScenarioSintetico scenario = genera_scenario(lunghezza);
  const std::size_t scritti = codifica_tutti(compila(scenario));
  const MisuraMemoria memoria;
  for (auto _ : state) codifica_tutti(compila(scenario));
  memoria.concludi(state, scritti);
}

void floor(benchmark::State& state, std::int32_t lunghezza) {
  const ScenarioSintetico scenario = genera_scenario(lunghezza);
  std::vector<std::string> sorgenti;
  std::size_t scritti = 0;
  for (const FileBinario& f : compila(scenario).file()) {
    sorgenti.push_back(byte_di(f));
    scritti += f.dimensione;
  }
  const MisuraMemoria memoria;
  for (auto _ : state) {
    for (const std::string& sorgente : sorgenti) {
      std::string copia(sorgente.size(), '\0');
      std::memcpy(copia.data(), sorgente.data(), sorgente.size());
      benchmark::DoNotOptimize(copia.data());
    }
  }
  memoria.concludi(state, scritti);
}

std::string nome_caso(std::int32_t lunghezza) {
  return "compile " + etichetta_lunghezza(lunghezza);
}

}  // namespace

std::map<std::string, std::int32_t> casi_compilazione() {
  std::map<std::string, std::int32_t> casi;
  for (const std::int32_t lunghezza : lunghezze) casi.emplace(nome_caso(lunghezza), lunghezza);
  return casi;
}

void registra_compilazione() {
  for (const std::int32_t lunghezza : lunghezze) {
    registra_coppia(
        nome_caso(lunghezza),
        [lunghezza](benchmark::State& s) { caso(s, lunghezza); },
        [lunghezza](benchmark::State& s) { floor(s, lunghezza); });
  }
}

}  // namespace scenari::bench
