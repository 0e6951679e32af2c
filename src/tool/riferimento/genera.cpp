// scenari-riferimento: prints docs/testi.md from the reference table.
#include <iostream>

#include "tool/riferimento/riferimento.h"

int main() {
  std::cout << scenari::riferimento::markdown();
  return std::cout.flush() ? 0 : 1;
}
