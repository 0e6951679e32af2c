// Registration of the benchmark cases. Every case is registered together
// with its floor, the least work of the same kind on the same bytes, under
// the name "<case> [floor]"; the table sets one against the other.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace scenari::bench {

using Corpo = std::function<void(benchmark::State&)>;

inline constexpr const char* suffisso_floor = " [floor]";

void registra_coppia(const std::string& nome, Corpo caso, Corpo floor);

// Peak heap held by the timed loop above what was in use before it, and the
// bytes of the files the case writes, as counters of the run.
class MisuraMemoria {
 public:
  MisuraMemoria();
  void concludi(benchmark::State& state, std::size_t byte_scritti) const;

 private:
  std::size_t base_;
};

// "10km", "1000km", or "7000m" when not a whole number of kilometres.
std::string etichetta_lunghezza(std::int32_t lunghezza);

void registra_incorporato();
void registra_fasi();
void registra_compilazione();
void registra_verifica();

// Names of the whole-compile cases, each with its route length.
std::map<std::string, std::int32_t> casi_compilazione();

}  // namespace scenari::bench
