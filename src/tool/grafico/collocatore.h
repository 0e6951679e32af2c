// Places labels where they overlap no label or mark placed before and stay
// inside the drawing: each label offers candidate boxes in order of
// preference and takes the first free one, or none.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace scenari::tool {

struct Riquadro {
  double x0, y0, x1, y1;
  bool interseca(const Riquadro& altro) const;
  bool contiene(const Riquadro& altro) const;
};

// Width of a label in pixels, estimated for the sans-serif face used.
double larghezza_testo(std::string_view testo, double corpo);

// Boxes of w x h around the point (x, y): beside, above and below it
// first, then in rings farther out, where the label needs a leader line.
std::vector<Riquadro> intorno(double x, double y, double w, double h);

// Whether a label in `r` is far enough from (x, y) to need a leader line.
bool lontano(const Riquadro& r, double x, double y);

// The point of `r`'s border nearest to (x, y), where a leader line ends.
std::pair<double, double> attacco(const Riquadro& r, double x, double y);

class Collocatore {
 public:
  Collocatore() = default;
  // Candidates that leave `limiti` are refused.
  explicit Collocatore(const Riquadro& limiti) : limiti_(limiti) {}

  // Index of the first candidate that overlaps nothing placed, now taken.
  std::optional<std::size_t> colloca(std::span<const Riquadro> candidati);
  void occupa(const Riquadro& r) { occupati_.push_back(r); }

 private:
  std::optional<Riquadro> limiti_;
  std::vector<Riquadro> occupati_;
};

}  // namespace scenari::tool
