#include "core/lettura/planimetria_calcolo.h"

namespace scenari {

namespace {

struct Punto {
  double x;
  double y;
};

Punto punto(const Planimetria& piano, std::int32_t metro) {
  return {piano.x_reale(metro), piano.y_reale(metro)};
}

}  // namespace

void TracciatoPiano::inizia() {
  piano_.poni_x(0, std::int16_t{0});
  piano_.poni_y(0, std::int16_t{0});
  piano_.poni_x(1, std::int16_t{0});
  piano_.poni_y(1, std::int16_t{1});
  metro_ = 2;
}

// The step vector is the difference of the two previous stored points; the
// sums are written in this order so the doubles round as the stored files
// expect.
void TracciatoPiano::passo_dritto() {
  const Punto a = punto(piano_, metro_ - 2);
  const Punto b = punto(piano_, metro_ - 1);
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  piano_.poni_punto(metro_, b.x + dx, b.y + dy);
}

// First-order rotation of the step vector, not renormalised.
void TracciatoPiano::passo_curvo(double curvatura) {
  const Punto a = punto(piano_, metro_ - 2);
  const Punto b = punto(piano_, metro_ - 1);
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  piano_.poni_punto(metro_, b.x + (dx + curvatura * dy), b.y + (dy - curvatura * dx));
}

bool TracciatoPiano::curva(std::int32_t inizio, std::int32_t lunghezza, double curvatura) {
  const std::int64_t fine = std::int64_t{inizio} + lunghezza;
  while (metro_ <= inizio) {
    passo_dritto();
    if (++metro_ > metro_massimo) return false;
  }
  while (metro_ <= fine) {
    passo_curvo(curvatura);
    if (++metro_ > metro_massimo) return false;
  }
  return true;
}

void TracciatoPiano::completa() {
  while (metro_ <= piano_.ultimo_metro() - 2) {
    passo_dritto();
    ++metro_;
  }
}

}  // namespace scenari
