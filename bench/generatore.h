// Synthetic scenarios for measuring the compaction on routes of any length:
// a line text and a train text at realistic densities, laid out so that no
// two objects claim the same cell and every reader check passes.
#pragma once

#include <cstdint>
#include <string>

namespace scenari::bench {

// Longest route the readers accept: the cell array and the plan view then
// span 1,007,000 m (20,141 cells, 2,014,002 plan elements).
inline constexpr std::int32_t lunghezza_massima = 1'000'000;

struct ScenarioSintetico {
  std::string linea;  // line description text
  std::string treno;  // train description text
};

// A scenario for a route of `lunghezza` metres (at most lunghezza_massima,
// at least one 2000 m block; the benchmarks start at 7000);
// the same length and seed give the same texts.
ScenarioSintetico genera_scenario(std::int32_t lunghezza, std::uint32_t seme = 1);

}  // namespace scenari::bench
