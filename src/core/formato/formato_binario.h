// The three binary files of a route: plan geometry (_linea.dat), general
// table (.sim) and route cells (.dat). Little-endian, packed, no header:
// every record is encoded member by member, so the files do not depend on
// how the compiler lays out the structs. The decoders read the same layouts
// back and refuse bytes that do not fit them.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/formato/planimetria.h"
#include "core/formato/tracciato.h"
#include "core/formato/record.h"

namespace scenari {

// Bytes that do not fit a layout, or a model value the layout cannot carry.
class FormatoNonValido : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::size_t byte_per_cella = 15;
// A general record without its name text.
inline constexpr std::size_t byte_fissi_voce = 34;

// Kind tags of a plan element.
inline constexpr std::uint16_t tag_vuoto = 0;
inline constexpr std::uint16_t tag_intero = 2;
inline constexpr std::uint16_t tag_double = 5;

// Receives the bytes of one file in pieces, each at its offset in the
// file. The pieces cover the file once, but not in file order: the plan
// encoder fills both of its halves at once.
class Destinazione {
 public:
  virtual ~Destinazione() = default;
  virtual void scrivi(std::size_t offset, std::string_view byte) = 0;
};

// Gathers the bytes of a file whose size is known before it is encoded.
class DestinazioneStringa : public Destinazione {
 public:
  explicit DestinazioneStringa(std::size_t dimensione) { byte_.reserve(dimensione); }
  // A piece beyond the end leaves a gap that a later piece fills.
  void scrivi(std::size_t offset, std::string_view byte) override {
    if (byte_.size() < offset) byte_.resize(offset);
    byte_.replace(offset, byte.size(), byte);
  }
  std::string prendi() { return std::move(byte_); }

 private:
  std::string byte_;
};

// The size each file will have, before it is encoded.
std::size_t dimensione_celle(const std::vector<cella>& celle);
std::size_t dimensione_tabella(const std::array<voce_tabella, numero_voci>& tabella);
std::size_t dimensione_planimetria(const Tracciato& tracciato);

// Encoders into a destination; the table is checked whole before its first
// byte goes out.
void codifica_celle(const std::vector<cella>& celle, Destinazione& d);
void codifica_tabella(const std::array<voce_tabella, numero_voci>& tabella, Destinazione& d);
void codifica_planimetria(const Tracciato& tracciato, Destinazione& d);

// The same, as whole byte strings.
std::string codifica_celle(const std::vector<cella>& celle);
std::string codifica_tabella(const std::array<voce_tabella, numero_voci>& tabella);
std::string codifica_planimetria(const Tracciato& tracciato);

std::vector<cella> decodifica_celle(std::string_view byte);
std::array<voce_tabella, numero_voci> decodifica_tabella(std::string_view byte);
Planimetria decodifica_planimetria(std::string_view byte);
// Each point of a plan file in turn, without holding them all; the file is
// checked whole before the first.
using PuntoPiano = std::function<void(std::int32_t metro, const valore_piano& x, const valore_piano& y)>;
void scorri_planimetria(std::string_view byte, const PuntoPiano& punto);

// What lies at `offset` of a file, for reports on differing bytes:
// "cell 21, dato1", "record 85, intero1", "point 20, y".
std::string descrivi_offset_celle(std::size_t offset);
std::string descrivi_offset_tabella(std::string_view byte, std::size_t offset);
std::string descrivi_offset_planimetria(std::string_view byte, std::size_t offset);

}  // namespace scenari
