// The plan view array of the model. A route of 1,000,000 m has two million
// coordinates, so each is kept as one double and one kind byte (9 bytes,
// against 16 for a std::variant); a 16-bit integer is held exactly by its
// double. Reads still give the coordinate as a valore_piano, and assigning
// one stores it, so callers see the kind of every element as before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
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

  // One stored coordinate: a copy of its value taken when the element is
  // named, and assigning a value stores it in the array as well.
  class Elemento : public valore_piano {
   public:
    Elemento(Planimetria& piano, std::size_t indice)
        : valore_piano(piano.elemento(indice)), piano_(&piano), indice_(indice) {}
    Elemento(const Elemento&) = default;
    Elemento& operator=(const valore_piano& valore) {
      piano_->imposta(indice_, valore);
      valore_piano::operator=(valore);
      return *this;
    }
    Elemento& operator=(const Elemento& altro) {
      return *this = static_cast<const valore_piano&>(altro);
    }

   private:
    Planimetria* piano_;
    std::size_t indice_;
  };

  // Every element in file order, read as values.
  class Elementi {
   public:
    class const_iterator {
     public:
      using iterator_category = std::input_iterator_tag;
      using value_type = valore_piano;
      using difference_type = std::ptrdiff_t;
      using pointer = void;
      using reference = valore_piano;
      const_iterator(const Planimetria* piano, std::size_t indice)
          : piano_(piano), indice_(indice) {}
      valore_piano operator*() const { return piano_->elemento(indice_); }
      const_iterator& operator++() {
        ++indice_;
        return *this;
      }
      bool operator==(const const_iterator& altro) const { return indice_ == altro.indice_; }

     private:
      const Planimetria* piano_;
      std::size_t indice_;
    };
    using iterator = const_iterator;
    using value_type = valore_piano;

    explicit Elementi(const Planimetria& piano) : piano_(piano) {}
    std::size_t size() const { return piano_.numero_elementi(); }
    valore_piano operator[](std::size_t i) const { return piano_.elemento(i); }
    const_iterator begin() const { return {&piano_, 0}; }
    const_iterator end() const { return {&piano_, size()}; }
    friend bool operator==(const Elementi& a, const Elementi& b) {
      if (a.size() != b.size()) return false;
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (a.piano_.tipo(i) != b.piano_.tipo(i) || a.piano_.valore(i) != b.piano_.valore(i)) {
          return false;
        }
      }
      return true;
    }

   private:
    const Planimetria& piano_;
  };

  void crea(std::int32_t ultimo_metro);
  void elimina();
  bool esiste() const { return !tipi_.empty(); }
  std::int32_t ultimo_metro() const { return ultimo_metro_; }

  Elemento x(std::int32_t metro) { return {*this, indice(metro, 0)}; }
  Elemento y(std::int32_t metro) { return {*this, indice(metro, 1)}; }
  valore_piano x(std::int32_t metro) const { return elemento(indice(metro, 0)); }
  valore_piano y(std::int32_t metro) const { return elemento(indice(metro, 1)); }

  // A coordinate as a double, whatever its kind (empty reads 0).
  double x_reale(std::int32_t metro) const { return valori_[indice(metro, 0)]; }
  double y_reale(std::int32_t metro) const { return valori_[indice(metro, 1)]; }
  // Stores a computed point: both coordinates as doubles.
  void poni_punto(std::int32_t metro, double x, double y);

  // All elements in file order: x of every metre, then y of every metre.
  Elementi elementi() const { return Elementi(*this); }
  std::size_t numero_elementi() const { return tipi_.size(); }
  // Element `i` in file order, by kind and value.
  Tipo tipo(std::size_t i) const { return static_cast<Tipo>(tipi_[i]); }
  double valore(std::size_t i) const { return valori_[i]; }
  valore_piano elemento(std::size_t i) const;

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
