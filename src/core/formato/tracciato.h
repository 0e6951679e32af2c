// The plan view of the track as the line text draws it: a straight start
// along +y, bent by each curve, filled straight to two metres before the
// end. Only the runs are kept. A route of 1,000,000 m has two million
// coordinates, so the points are computed as they are written, each x into
// the first half of the file and each y into the second, or once into a
// Planimetria for a caller that wants them all.
#pragma once

#include <cstdint>
#include <vector>

#include "core/formato/planimetria.h"

namespace scenari {

class Tracciato {
 public:
  // Curve lines may not take the metre index beyond this.
  static constexpr std::int32_t metro_massimo = 1'000'000;

  // A plan of metres 0..ultimo_metro, with no point yet.
  void crea(std::int32_t ultimo_metro);
  void elimina();
  bool esiste() const { return ultimo_metro_ >= 0; }
  std::int32_t ultimo_metro() const { return ultimo_metro_; }

  // P(0) = (0, 0) and P(1) = (0, 1), as 16-bit integers.
  void inizia();

  // Straight up to metre `inizio`, then turning by `curvatura` (never 0) per
  // metre up to `inizio` + `lunghezza`, which must lie within the plan.
  // False when the metre index passed metro_massimo. Without a plan, nothing
  // is drawn and nothing can pass the limit.
  bool curva(std::int32_t inizio, std::int32_t lunghezza, double curvatura);

  // Straight to the point two metres before the end.
  void completa();

  // The first metre without a point; the two starting points count.
  std::int32_t metro() const { return metro_; }
  bool iniziato() const { return iniziato_; }

  // Every computed point from metre 2 to metro() - 1, in order:
  // punto(metro, x, y).
  template <class F>
  void scorri(F&& punto) const;

  // All the points, as the plan file holds them.
  Planimetria punti() const;

  bool operator==(const Tracciato&) const = default;

 private:
  // Steps up to and including metre `fino_a`, straight or curved.
  struct Tratto {
    std::int32_t fino_a;
    bool curvo;
    double curvatura;
    bool operator==(const Tratto&) const = default;
  };
  bool avanza(std::int64_t fino_a, bool curvo, double curvatura);

  std::vector<Tratto> tratti_;
  std::int32_t ultimo_metro_ = -1;
  std::int32_t metro_ = 2;
  bool iniziato_ = false;
};

// The step vector is the difference of the two previous points; a curve
// rotates it to first order without renormalising. The sums are written in
// this order so the doubles round as the stored files expect.
template <class F>
void Tracciato::scorri(F&& punto) const {
  double ax = 0, ay = 0, bx = 0, by = iniziato_ ? 1 : 0;
  std::int32_t m = 2;
  for (const Tratto& t : tratti_) {
    for (; m <= t.fino_a; ++m) {
      const double dx = bx - ax;
      const double dy = by - ay;
      const double x = t.curvo ? bx + (dx + t.curvatura * dy) : bx + dx;
      const double y = t.curvo ? by + (dy - t.curvatura * dx) : by + dy;
      punto(m, x, y);
      ax = bx;
      ay = by;
      bx = x;
      by = y;
    }
  }
}

}  // namespace scenari
