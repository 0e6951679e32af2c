// The plan view array of the model. A route of 1,000,000 m has two million
// coordinates, so each is kept as one double and one kind byte (9 bytes,
// against 16 for a std::variant); a 16-bit integer is held exactly by its
// double. Reads give the coordinate as a valore_piano, kind included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

namespace scenari {

// One coordinate of the plan view: empty until a step reaches it, a 16-bit
// integer for the two starting points, a double for every computed point.
using valore_piano = std::variant<std::monostate, std::int16_t, double>;

// Plan coordinates of every metre 0..ultimo_metro; x values first, then y
// values, the order in which they are stored on disk.
class Planimetria {
 public:
  // Kind of an element: the index of its alternative in valore_piano.
  enum Tipo : std::uint8_t { vuoto = 0, intero = 1, reale = 2 };

  void crea(std::int32_t ultimo_metro);
  void elimina();
  bool esiste() const { return !tipi_.empty(); }
  std::int32_t ultimo_metro() const { return ultimo_metro_; }

  // Copies: a coordinate is changed only through poni_x / poni_y.
  const valore_piano x(std::int32_t metro) const { return elemento(indice(metro, 0)); }
  const valore_piano y(std::int32_t metro) const { return elemento(indice(metro, 1)); }
  void poni_x(std::int32_t metro, const valore_piano& valore) { imposta(indice(metro, 0), valore); }
  void poni_y(std::int32_t metro, const valore_piano& valore) { imposta(indice(metro, 1), valore); }

  // A coordinate as a double, whatever its kind (empty reads 0).
  double x_reale(std::int32_t metro) const { return valori_[indice(metro, 0)]; }
  double y_reale(std::int32_t metro) const { return valori_[indice(metro, 1)]; }
  // Stores a computed point: both coordinates as doubles.
  void poni_punto(std::int32_t metro, double x, double y);

  // Elements in file order: x of every metre, then y of every metre; each
  // by kind and value.
  std::size_t numero_elementi() const { return tipi_.size(); }
  Tipo tipo(std::size_t i) const { return static_cast<Tipo>(tipi_[i]); }
  double valore(std::size_t i) const { return valori_[i]; }
  valore_piano elemento(std::size_t i) const;

  bool operator==(const Planimetria&) const = default;

 private:
  std::size_t indice(std::int32_t metro, int coordinata) const {
    return static_cast<std::size_t>(coordinata) * static_cast<std::size_t>(ultimo_metro_ + 1) +
           static_cast<std::size_t>(metro);
  }
  void imposta(std::size_t i, const valore_piano& valore);

  // Empty elements hold 0, the value they read as.
  std::vector<double> valori_;
  std::vector<std::uint8_t> tipi_;
  std::int32_t ultimo_metro_ = -1;
};

// A plan value as a double, whatever kind it is stored as (empty reads 0).
double come_double(const valore_piano& valore);

}  // namespace scenari
