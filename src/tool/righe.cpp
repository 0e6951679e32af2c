#include "tool/righe.h"

namespace scenari::tool {

std::vector<std::string_view> righe_di(std::string_view testo) {
  std::vector<std::string_view> righe;
  std::size_t inizio = 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] != '\n' && testo[i] != '\r') continue;
    righe.push_back(testo.substr(inizio, i - inizio));
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    inizio = i + 1;
  }
  righe.push_back(testo.substr(inizio));
  return righe;
}

}  // namespace scenari::tool
