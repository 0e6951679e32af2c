// Curves found in the plan view: the track turns by the same amount every
// metre along a curve, and that amount gives its class and side.
#include <cmath>

#include "tool/grafico/grafico.h"

namespace scenari::tool {

namespace {

std::string m(double metri) { return std::to_string(std::lround(metri)) + " m"; }

// Turns per metre of the six curve classes.
constexpr double svolte[6] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// The class (1 to 6) whose turn is nearest to |k|, 0 for straight track.
int classe_curva(double k) {
  const double a = std::abs(k);
  if (a < svolte[0] / 2) return 0;
  int migliore = 1;
  for (int c = 2; c <= 6; ++c) {
    if (std::abs(std::log(a / svolte[c - 1])) < std::abs(std::log(a / svolte[migliore - 1]))) {
      migliore = c;
    }
  }
  return migliore;
}

// Positive for a right-hand curve: a step d2 = d1 turned by k gives
// d1 x d2 = -k |d1|^2.
double svolta(const PuntoPiano& a, const PuntoPiano& b, const PuntoPiano& c) {
  const double x1 = b.x - a.x, y1 = b.y - a.y, x2 = c.x - b.x, y2 = c.y - b.y;
  const double n = x1 * x1 + y1 * y1;
  return n > 0 ? -(x1 * y2 - y1 * x2) / n : 0;
}

Oggetto curva(std::int32_t inizio, std::int32_t fine, int classe, bool destra) {
  Oggetto o{Genere::curva, static_cast<double>(inizio), static_cast<double>(fine),
            std::string(destra ? "right " : "left ") + std::to_string(classe)};
  o.valori = std::string(destra ? "right-hand" : "left-hand") + ", class " +
             std::to_string(classe) + ", " + m(fine - inizio) + " long";
  return o;
}

// Runs of metres that turn alike, one curve each: a curve from s for l
// metres turns the steps to the points s + 1 to s + l.
}  // namespace

std::vector<Oggetto> curve_del_piano(const std::vector<PuntoPiano>& punti) {
  std::vector<Oggetto> trovate;
  int classe = 0;
  bool destra = false;
  std::int32_t inizio = 0;
  auto chiudi = [&](std::int32_t fine) {
    if (classe != 0) trovate.push_back(curva(inizio, fine, classe, destra));
  };
  for (std::size_t i = 2; i < punti.size(); ++i) {
    const double k = svolta(punti[i - 2], punti[i - 1], punti[i]);
    const int c = classe_curva(k);
    const bool d = k > 0;
    if (c == classe && (c == 0 || d == destra)) continue;
    chiudi(punti[i - 1].metro);
    classe = c;
    destra = d;
    inizio = punti[i - 1].metro;
  }
  if (!punti.empty()) chiudi(punti.back().metro);
  return trovate;
}

}  // namespace scenari::tool
