// The whole compaction of generated routes in memory: the two description
// texts in, the model built and protected, the three binary files encoded in
// pieces, as the compile streams them into its temporary files. Floor:
// copying bytes of the same size as the three files, in pieces of the same
// buffer.
#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
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
  if (c.esito() != EsitoPercorso::completo || c.modello().codice_errore()) {
    throw std::runtime_error("the generated route did not compile cleanly");
  }
  return c;
}

// Takes each piece as a write into the page cache would: one copy of its
// bytes, here into a buffer of the encoders' piece size.
class Copia : public Destinazione {
 public:
  void scrivi(std::size_t, std::string_view byte) override {
    for (std::size_t fatto = 0; fatto < byte.size(); fatto += buffer_.size()) {
      const std::size_t n = std::min(buffer_.size(), byte.size() - fatto);
      std::memcpy(buffer_.data(), byte.data() + fatto, n);
      benchmark::DoNotOptimize(buffer_.data());
    }
    copiati_ += byte.size();
  }
  std::size_t copiati() const { return copiati_; }

 private:
  std::array<char, 64 * 1024> buffer_{};
  std::size_t copiati_ = 0;
};

std::size_t codifica_tutti(const Compattazione& c) {
  Copia copia;
  for (const FileBinario& f : c.file()) f.codifica(copia);
  return copia.copiati();
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
    Copia copia;
    for (const std::string& sorgente : sorgenti) copia.scrivi(0, sorgente);
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
