// scenari-riferimento: prints docs/testi.md from the reference table, or
// with "linea" or "treno" the TextMate grammar of that text.
#include <iostream>
#include <string_view>

#include "tool/riferimento/grammatica.h"
#include "core/lettura/tabella_voci.h"
#include "tool/riferimento/markdown.h"

int main(int argc, char** argv) {
  namespace r = scenari::riferimento;
  const std::string_view testo = argc > 1 ? argv[1] : "";
  if (argc == 1) {
    std::cout << r::markdown();
  } else if (argc == 2 && (testo == "linea" || testo == "treno")) {
    std::cout << r::grammatica(r::testi()[testo == "linea" ? 0 : 1], testo);
  } else {
    std::cerr << "usage: scenari-riferimento [linea|treno]\n";
    return 64;
  }
  return std::cout.flush() ? 0 : 1;
}
