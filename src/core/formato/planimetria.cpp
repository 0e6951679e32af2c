#include "core/formato/planimetria.h"

namespace scenari {

void Planimetria::crea(std::int32_t ultimo_metro) {
  ultimo_metro_ = ultimo_metro;
  const std::size_t n = 2 * static_cast<std::size_t>(ultimo_metro + 1);
  valori_.assign(n, 0.0);
  tipi_.assign(n, vuoto);
}

void Planimetria::elimina() {
  valori_.clear();
  valori_.shrink_to_fit();
  tipi_.clear();
  tipi_.shrink_to_fit();
  ultimo_metro_ = -1;
}

void Planimetria::poni_punto(std::int32_t metro, double x, double y) {
  const std::size_t ix = indice(metro, 0), iy = indice(metro, 1);
  valori_[ix] = x;
  valori_[iy] = y;
  tipi_[ix] = reale;
  tipi_[iy] = reale;
}

valore_piano Planimetria::elemento(std::size_t i) const {
  switch (tipi_[i]) {
    case intero: return static_cast<std::int16_t>(valori_[i]);
    case reale: return valori_[i];
    default: return std::monostate{};
  }
}

void Planimetria::imposta(std::size_t i, const valore_piano& valore) {
  tipi_[i] = static_cast<std::uint8_t>(valore.index());
  valori_[i] = come_double(valore);
}

double come_double(const valore_piano& valore) {
  if (const auto* d = std::get_if<double>(&valore)) return *d;
  if (const auto* i = std::get_if<std::int16_t>(&valore)) return *i;
  return 0.0;
}

}  // namespace scenari
