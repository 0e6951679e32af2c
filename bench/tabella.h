// Collects the runs of the benchmark program and prints the one table the
// benchmarks are read from: each case beside its floor, and the fitted
// growth of the whole compile with the route length.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace scenari::bench {

class Raccolta : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;

  // The table on standard output; `compilazioni` names the whole-compile
  // cases with the route length of each, for the fitted exponent.
  void stampa(const std::map<std::string, std::int32_t>& compilazioni) const;

 private:
  struct Misura {
    double millisecondi = 0;
    double picco = 0;
    double scritti = 0;
  };

  // Fastest of the repetitions: the one least disturbed by other work on
  // the machine.
  std::map<std::string, Misura> misure_;
  std::vector<std::string> ordine_;
};

}  // namespace scenari::bench
