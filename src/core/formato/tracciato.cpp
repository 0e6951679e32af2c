#include "core/formato/tracciato.h"

namespace scenari {

void Tracciato::crea(std::int32_t ultimo_metro) {
  *this = Tracciato{};
  ultimo_metro_ = ultimo_metro;
}

void Tracciato::elimina() { *this = Tracciato{}; }

void Tracciato::inizia() {
  tratti_.clear();
  metro_ = 2;
  iniziato_ = true;
}

bool Tracciato::avanza(std::int64_t fino_a, bool curvo, double curvatura) {
  const bool oltre = fino_a >= metro_massimo;
  const auto ultimo = static_cast<std::int32_t>(oltre ? metro_massimo : fino_a);
  tratti_.push_back({ultimo, curvo, curvatura});
  metro_ = ultimo + 1;
  return !oltre;
}

bool Tracciato::curva(std::int32_t inizio, std::int32_t lunghezza, double curvatura) {
  if (!esiste()) return true;
  const std::int64_t fine = std::int64_t{inizio} + lunghezza;
  if (metro_ <= inizio && !avanza(inizio, false, 0.0)) return false;
  if (metro_ <= fine && !avanza(fine, true, curvatura)) return false;
  return true;
}

// The limit holds for curves only: the straight fill reaches the end of any
// route.
void Tracciato::completa() {
  if (!esiste() || metro_ > ultimo_metro_ - 2) return;
  tratti_.push_back({ultimo_metro_ - 2, false, 0.0});
  metro_ = ultimo_metro_ - 1;
}

Planimetria Tracciato::punti() const {
  Planimetria p;
  if (!esiste()) return p;
  p.crea(ultimo_metro_);
  if (iniziato_) {
    p.poni_x(0, std::int16_t{0});
    p.poni_y(0, std::int16_t{0});
    p.poni_x(1, std::int16_t{0});
    p.poni_y(1, std::int16_t{1});
  }
  scorri([&p](std::int32_t m, double x, double y) { p.poni_punto(m, x, y); });
  return p;
}

}  // namespace scenari
