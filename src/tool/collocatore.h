// Places labels where they overlap no label placed before: each label
// offers candidate boxes in order of preference and takes the first free
// one, or none.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace scenari::tool {

struct Riquadro {
  double x0, y0, x1, y1;
  bool interseca(const Riquadro& altro) const;
};

// Width of a label in pixels, estimated for the sans-serif face used.
double larghezza_testo(std::string_view testo, double corpo);

class Collocatore {
 public:
  // Index of the first candidate that overlaps nothing placed, now taken.
  std::optional<std::size_t> colloca(std::span<const Riquadro> candidati);
  void occupa(const Riquadro& r) { occupati_.push_back(r); }

 private:
  std::vector<Riquadro> occupati_;
};

}  // namespace scenari::tool
