// The plan view of the track, one point per metre: a straight start along
// +y, bent by each curve line and filled straight to the end.
#pragma once

#include <cstdint>

#include "core/modello/modello.h"

namespace scenari {

class TracciatoPiano {
 public:
  // Curve lines may not take the metre index beyond this.
  static constexpr std::int32_t metro_massimo = 1'000'000;

  explicit TracciatoPiano(Planimetria& piano) : piano_(piano) {}

  // Sets P(0) = (0, 0) and P(1) = (0, 1) as 16-bit integers.
  void inizia();

  // Straight up to metre `inizio`, then turning by `curvatura` per metre up
  // to `inizio` + `lunghezza` (which must lie within the plan array). False
  // when the metre index passed metro_massimo.
  bool curva(std::int32_t inizio, std::int32_t lunghezza, double curvatura);

  // Straight to the point two metres before the end of the array.
  void completa();

  std::int32_t metro() const { return metro_; }

 private:
  void passo_dritto();
  void passo_curvo(double curvatura);

  Planimetria& piano_;
  std::int32_t metro_ = 2;
};

}  // namespace scenari
