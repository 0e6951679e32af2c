// Writes the two description texts of a synthetic scenario into a
// directory, for the browser test's long route:
//   scrivi_scenario DIR LENGTH ROUTE TRAIN
#include <cstdlib>
#include <iostream>
#include <string>

#include "bench/generatore.h"
#include "core/esecuzione/nomi_file.h"
#include "platform/files.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: scrivi_scenario DIR LENGTH ROUTE TRAIN\n";
    return 64;
  }
  try {
    const auto nomi = scenari::nomi_file(argv[1], argv[3], argv[4]);
    const auto scenario = scenari::bench::genera_scenario(std::atoi(argv[2]));
    scenari::platform::Files files;
    files.replace(nomi.linea_txt, scenario.linea);
    files.replace(nomi.treno_txt, scenario.treno);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
