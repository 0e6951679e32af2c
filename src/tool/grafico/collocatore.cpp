#include "tool/grafico/collocatore.h"

#include <algorithm>
#include <cmath>

namespace scenari::tool {

bool Riquadro::interseca(const Riquadro& a) const {
  return x0 < a.x1 && a.x0 < x1 && y0 < a.y1 && a.y0 < y1;
}

bool Riquadro::contiene(const Riquadro& a) const {
  return x0 <= a.x0 && a.x1 <= x1 && y0 <= a.y0 && a.y1 <= y1;
}

double larghezza_testo(std::string_view testo, double corpo) {
  std::size_t caratteri = 0;
  for (char c : testo) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++caratteri;  // UTF-8 lead bytes only
  }
  return static_cast<double>(caratteri) * corpo * 0.62;
}

namespace {

constexpr double vicino = 7;
constexpr double anelli[] = {vicino, 26, 48, 74};

}  // namespace

std::vector<Riquadro> intorno(double x, double y, double w, double h) {
  std::vector<Riquadro> candidati;
  for (double d : anelli) {
    candidati.push_back({x + d, y - h / 2, x + d + w, y + h / 2});          // right
    candidati.push_back({x - d - w, y - h / 2, x - d, y + h / 2});          // left
    candidati.push_back({x - w / 2, y - d - h, x + w / 2, y - d});          // above
    candidati.push_back({x - w / 2, y + d, x + w / 2, y + d + h});          // below
    candidati.push_back({x + d * 0.7, y - d * 0.7 - h, x + d * 0.7 + w, y - d * 0.7});  // above right
    candidati.push_back({x - d * 0.7 - w, y - d * 0.7 - h, x - d * 0.7, y - d * 0.7});  // above left
    candidati.push_back({x + d * 0.7, y + d * 0.7, x + d * 0.7 + w, y + d * 0.7 + h});  // below right
    candidati.push_back({x - d * 0.7 - w, y + d * 0.7, x - d * 0.7, y + d * 0.7 + h});  // below left
  }
  return candidati;
}

std::pair<double, double> attacco(const Riquadro& r, double x, double y) {
  return {std::clamp(x, r.x0, r.x1), std::clamp(y, r.y0, r.y1)};
}

bool lontano(const Riquadro& r, double x, double y) {
  const auto [ax, ay] = attacco(r, x, y);
  return std::hypot(ax - x, ay - y) > vicino * 1.5;
}

std::optional<std::size_t> Collocatore::colloca(std::span<const Riquadro> candidati) {
  for (std::size_t i = 0; i < candidati.size(); ++i) {
    if (limiti_ && !limiti_->contiene(candidati[i])) continue;
    const bool libero = std::none_of(occupati_.begin(), occupati_.end(),
                                     [&](const Riquadro& o) { return candidati[i].interseca(o); });
    if (libero) {
      occupati_.push_back(candidati[i]);
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace scenari::tool
