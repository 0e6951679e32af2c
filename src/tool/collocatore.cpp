#include "tool/collocatore.h"

namespace scenari::tool {

bool Riquadro::interseca(const Riquadro& a) const {
  return x0 < a.x1 && a.x0 < x1 && y0 < a.y1 && a.y0 < y1;
}

double larghezza_testo(std::string_view testo, double corpo) {
  std::size_t caratteri = 0;
  for (char c : testo) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++caratteri;  // UTF-8 lead bytes only
  }
  return static_cast<double>(caratteri) * corpo * 0.62;
}

std::optional<std::size_t> Collocatore::colloca(std::span<const Riquadro> candidati) {
  for (std::size_t i = 0; i < candidati.size(); ++i) {
    bool libero = true;
    for (const auto& o : occupati_) libero = libero && !candidati[i].interseca(o);
    if (libero) {
      occupati_.push_back(candidati[i]);
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace scenari::tool
