// Field input of the description texts: a stream of fields separated by
// commas and line ends. Leading blanks are dropped; a field in double quotes
// may hold commas (the quotes are not part of it); a numeric field also ends
// at a blank. Reading past the end, or a numeric field that holds no number
// or does not fit its width, throws ErroreLettura.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace scenari {

class ErroreLettura : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // A failure on line `riga` of the text; the message names the line.
  ErroreLettura(std::int32_t riga, const std::string& motivo);
  // Line of the text on which reading stopped; 0 when not known.
  std::int32_t riga() const { return riga_; }

 private:
  std::int32_t riga_ = 0;
};

class LettoreCampi {
 public:
  explicit LettoreCampi(std::string_view testo) : testo_(testo) {}

  // True once every byte of the text has been consumed.
  bool fine() const { return pos_ >= testo_.size(); }

  std::string leggi_testo();
  // A text field stored as a name of the general table, whose length the
  // binary file keeps in 16 bits: a longer one is a read failure.
  std::string leggi_nome();

  // A whole number that must lie within [minimo, massimo].
  std::int64_t leggi_numero(std::int64_t minimo, std::int64_t massimo);

  template <typename Intero>
  Intero leggi() {
    return static_cast<Intero>(leggi_numero(std::numeric_limits<Intero>::min(),
                                            std::numeric_limits<Intero>::max()));
  }

  // 1-based line of the text on which the last field read began.
  std::int32_t riga() const { return riga_campo_; }

 private:
  void salta_spazi();
  bool a_fine_riga() const;
  void consuma_fine_riga();
  void consuma_delimitatore();
  std::string_view leggi_grezzo(bool numerico);
  [[noreturn]] void errore(const std::string& motivo) const;

  std::string_view testo_;
  std::size_t pos_ = 0;
  std::int32_t riga_corrente_ = 1;
  std::int32_t riga_campo_ = 0;
};

// Case-sensitive and case-insensitive (ASCII letters) substring tests.
bool contiene(std::string_view campo, std::string_view parola);
bool contiene_nocase(std::string_view campo, std::string_view parola);

}  // namespace scenari
