#include "bench/casi.h"

#include "bench/memoria.h"

namespace scenari::bench {

void registra_coppia(const std::string& nome, Corpo caso, Corpo floor) {
  for (const auto& [n, corpo] : {std::pair{nome, caso}, std::pair{nome + suffisso_floor, floor}}) {
    benchmark::RegisterBenchmark(n.c_str(), corpo)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2)
        ->Repetitions(5);
  }
}

MisuraMemoria::MisuraMemoria() : base_(memoria::in_uso()) { memoria::azzera_picco(); }

void MisuraMemoria::concludi(benchmark::State& state, std::size_t byte_scritti) const {
  state.counters["peak"] = static_cast<double>(memoria::picco() - base_);
  state.counters["written"] = static_cast<double>(byte_scritti);
}

std::string etichetta_lunghezza(std::int32_t lunghezza) {
  if (lunghezza % 1000 != 0) return std::to_string(lunghezza) + "m";
  return std::to_string(lunghezza / 1000) + "km";
}

}  // namespace scenari::bench
