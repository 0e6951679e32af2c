// Heap bytes in use and their peak, counted by the global operator new and
// delete of the benchmark program, so each case can report the most memory
// it held at once.
#pragma once

#include <cstddef>

namespace scenari::bench::memoria {

std::size_t in_uso();
std::size_t picco();
// Starts a new peak from the bytes in use now.
void azzera_picco();

}  // namespace scenari::bench::memoria
