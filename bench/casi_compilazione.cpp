// The whole compile of generated routes: the two description texts read
// back and deleted, the route built and protected, three binaries written.
// Floor: reading the two texts and writing the three binaries' bytes, each
// file as one raw block.
#include <array>
#include <string>

#include "bench/ambiente.h"
#include "bench/casi.h"
#include "bench/generatore.h"
#include "core/esecuzione/nomi_file.h"
#include "core/percorso/percorso.h"

namespace scenari::bench {

namespace {

constexpr std::array<std::int32_t, 6> lunghezze = {7000,    10'000,  30'000,
                                                   100'000, 300'000, lunghezza_massima};

constexpr const char* nome_linea = "Sintetica_Bench";
constexpr const char* numero_treno = "1";

struct Compilazione {
  explicit Compilazione(std::int32_t lunghezza)
      : scenario(genera_scenario(lunghezza)),
        nomi(nomi_file(cartella.path(), nome_linea, numero_treno)) {}

  void scrivi_testi() const {
    scrivi_blocco(nomi.linea_txt, scenario.linea);
    scrivi_blocco(nomi.treno_txt, scenario.treno);
  }

  void compila() const {
    Modello m;
    m.nome_linea = std::string(nome_linea);
    m.numero_treno = std::string(numero_treno);
    platform::Files files;
    memorizza_percorso(m, files, nomi, 1);
    if (m.codice_errore != 0) throw std::runtime_error("the generated route has a data problem");
  }

  std::array<std::string, 3> binari() const {
    return {leggi_blocco(nomi.linea_dat), leggi_blocco(nomi.sim), leggi_blocco(nomi.dat)};
  }

  ScenarioSintetico scenario;
  platform::ScratchDirectory cartella{prefisso_scratch};
  NomiFile nomi;
};

std::size_t byte_binari(const std::array<std::string, 3>& binari) {
  return binari[0].size() + binari[1].size() + binari[2].size();
}

void caso(benchmark::State& state, std::int32_t lunghezza) {
  const Compilazione c(lunghezza);
  c.scrivi_testi();
  c.compila();
  const std::size_t scritti = byte_binari(c.binari());
  const MisuraMemoria memoria;
  for (auto _ : state) {
    state.PauseTiming();
    c.scrivi_testi();
    state.ResumeTiming();
    c.compila();
  }
  memoria.concludi(state, scritti);
}

void floor(benchmark::State& state, std::int32_t lunghezza) {
  const Compilazione c(lunghezza);
  c.scrivi_testi();
  c.compila();
  const auto binari = c.binari();
  c.scrivi_testi();
  const MisuraMemoria memoria;
  for (auto _ : state) {
    const std::string linea = leggi_blocco(c.nomi.linea_txt);
    const std::string treno = leggi_blocco(c.nomi.treno_txt);
    benchmark::DoNotOptimize(linea.data());
    benchmark::DoNotOptimize(treno.data());
    scrivi_blocco(c.nomi.linea_dat, binari[0]);
    scrivi_blocco(c.nomi.sim, binari[1]);
    scrivi_blocco(c.nomi.dat, binari[2]);
  }
  memoria.concludi(state, byte_binari(binari));
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
