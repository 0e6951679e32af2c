// The benchmark program: every case beside its floor, then one table.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>

#include "bench/casi.h"
#include "bench/tabella.h"

int main(int argc, char** argv) {
  using namespace scenari::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  registra_incorporato();
  registra_fasi();
  registra_compilazione();
  registra_verifica();
  // Progress goes to standard error, so standard output holds the table only.
  Raccolta raccolta;
  raccolta.SetOutputStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&raccolta);
  raccolta.stampa(casi_compilazione());
  benchmark::Shutdown();
  return 0;
}
