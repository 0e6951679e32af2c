// The one scanner of the description texts: lines and fields exactly as the
// readers take them, each field with its line and columns. A line ends at
// CR LF, LF or a CR alone. A field ends at a comma or at the end of its line;
// blanks before it are dropped; a field in double quotes may hold commas (the
// quotes are not part of it, and anything between the closing quote and the
// delimiter is dropped); a numeric field also ends at a blank, so the blanks
// between two numbers stand for a comma. A comma before the line end leaves
// an empty field there. The readers, the warnings, the language server and
// the reports all cut the texts with it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace scenari {

// Where a field lies: its line and its columns (1-based, one byte each), the
// end exclusive, the blanks around it left out. A quoted field spans its
// quotes. Line 0 when no line belongs to it.
struct Tratto {
  std::int32_t riga = 0;
  std::int32_t inizio = 0;
  std::int32_t fine = 0;

  bool operator==(const Tratto&) const = default;
};

// How a field is read: a text runs to its comma, a number to a blank too.
enum class Modo { testo, numero };

struct CampoLetto {
  std::string_view valore;  // as a reader takes it: no quotes, no leading blanks
  Tratto tratto;
};

class Scansione {
 public:
  explicit Scansione(std::string_view testo) : testo_(testo) {}

  // True once every byte of the text has been consumed.
  bool fine() const { return pos_ >= testo_.size(); }

  // The next field and its delimiter consumed. At the end of the text the
  // field is empty and lies where the text ends.
  CampoLetto campo(Modo modo);

  // An empty place where the scanner stands.
  Tratto qui() const;

  // Whether the last field was closed by a comma.
  bool chiuso_da_virgola() const { return virgola_; }

  // Passes over the rest of every line before line `riga`.
  void salta_a_riga(std::int32_t riga);

 private:
  void salta_spazi();
  bool a_fine_riga() const;
  void consuma_fine_riga();
  void consuma_delimitatore();
  std::int32_t colonna(std::size_t pos) const;

  std::string_view testo_;
  std::size_t pos_ = 0;
  std::int32_t riga_ = 1;
  std::size_t inizio_riga_ = 0;
  bool virgola_ = false;
};

// The fields of one line (no line end in it), numbered `riga`: the first as a
// text, the i-th after it in the mode modi[i - 1], those past `modi` in the
// mode `resto`. A comma at the end leaves an empty field after it.
std::vector<CampoLetto> campi_della_riga(std::string_view riga, std::int32_t numero,
                                         std::span<const Modo> modi = {},
                                         Modo resto = Modo::testo);

// The lines of a text, their ends left out; a text that ends with a line end
// has an empty last line. Built once, it gives any line by its number.
class IndiceRighe {
 public:
  explicit IndiceRighe(std::string_view testo);

  std::int32_t numero_righe() const { return static_cast<std::int32_t>(righe_.size()); }
  // Line `riga` (1-based); empty when the text has fewer lines.
  std::string_view riga(std::int32_t riga) const;
  const std::vector<std::string_view>& righe() const { return righe_; }

 private:
  std::vector<std::string_view> righe_;
};

// A keyword field holding a dash is a comment: the readers pass over it.
bool campo_commento(std::string_view campo);

}  // namespace scenari
