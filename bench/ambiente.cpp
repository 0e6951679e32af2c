#include "bench/ambiente.h"

#include <fstream>
#include <stdexcept>

namespace scenari::bench {

std::string leggi_blocco(const std::string& percorso) {
  std::ifstream file(percorso, std::ios::binary | std::ios::ate);
  if (!file) throw std::runtime_error(percorso + ": cannot be opened for reading");
  std::string byte(static_cast<std::size_t>(file.tellg()), '\0');
  file.seekg(0);
  if (!file.read(byte.data(), static_cast<std::streamsize>(byte.size()))) {
    throw std::runtime_error(percorso + ": cannot be read");
  }
  return byte;
}

void scrivi_blocco(const std::string& percorso, std::string_view byte) {
  std::ofstream file(percorso, std::ios::binary | std::ios::trunc);
  if (!file.write(byte.data(), static_cast<std::streamsize>(byte.size())) || !file.flush()) {
    throw std::runtime_error(percorso + ": cannot be written");
  }
}

void FinestraMuta::report_error(const std::string& message) {
  throw std::runtime_error("the run reported: " + message);
}

}  // namespace scenari::bench
