// scenari-genera LENGTH DIR [ROUTE TRAIN]: writes the two description texts
// of a generated route of LENGTH metres into DIR, as route ROUTE with train
// TRAIN ("Sintetica_Bench" and 1 when not given), for the process-level
// benchmarks of bench/run.sh and the browser test's long route.
#include <charconv>
#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>

#include "bench/generatore.h"
#include "esecuzione/nomi_file.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  using namespace scenari;
  std::int32_t lunghezza = 0;
  const bool con_nomi = argc == 5;
  const std::string_view testo = argc == 3 || con_nomi ? argv[1] : "";
  const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), lunghezza);
  if (testo.empty() || errore != std::errc{} || fine != testo.data() + testo.size() ||
      lunghezza < 2000 || lunghezza > bench::lunghezza_massima) {
    std::cerr << "usage: scenari-genera LENGTH DIR [ROUTE TRAIN]  (LENGTH in metres, 2000 to "
              << bench::lunghezza_massima << ")\n";
    return 64;
  }
  const bench::ScenarioSintetico scenario = bench::genera_scenario(lunghezza);
  const NomiFile nomi =
      nomi_file(argv[2], con_nomi ? argv[3] : "Sintetica_Bench", con_nomi ? argv[4] : "1");
  try {
    platform::Files files;
    files.replace(nomi.linea_txt, scenario.linea);
    files.replace(nomi.treno_txt, scenario.treno);
  } catch (const platform::FileError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
