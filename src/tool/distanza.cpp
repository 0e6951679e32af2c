#include "tool/distanza.h"

#include <algorithm>
#include <vector>

namespace scenari::tool {

std::size_t distanza_modifica(std::string_view a, std::string_view b) {
  // Three rows suffice: the swap looks two rows back.
  std::vector<std::size_t> due_prima(b.size() + 1), prima(b.size() + 1), riga(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) prima[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    riga[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t diversi = a[i - 1] == b[j - 1] ? 0 : 1;
      riga[j] = std::min({prima[j] + 1, riga[j - 1] + 1, prima[j - 1] + diversi});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        riga[j] = std::min(riga[j], due_prima[j - 2] + 1);
      }
    }
    std::swap(due_prima, prima);
    std::swap(prima, riga);
  }
  return prima[b.size()];
}

}  // namespace scenari::tool
