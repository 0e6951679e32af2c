// Field input of the description texts: a stream of fields separated by
// commas and line ends; a comma at the end of a line leaves an empty field
// there. Leading blanks are dropped; a field in double quotes may hold
// commas (the quotes are not part of it); a numeric field also ends at a
// blank. Reading past the end, or a numeric field that holds no number
// or does not fit its width, throws ErroreLettura.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace scenari {

// A field that cannot be read: where it begins and why. The message is the
// reason alone; the place travels beside it.
class ErroreLettura : public std::runtime_error {
 public:
  ErroreLettura(std::int32_t riga, std::int32_t colonna, const std::string& motivo);
  // Line and column of the field on which reading stopped.
  std::int32_t riga() const { return riga_; }
  std::int32_t colonna() const { return colonna_; }

 private:
  std::int32_t riga_;
  std::int32_t colonna_;
};

// A value computed from the fields that its member cannot hold; the reader
// reports it as a read failure at the entry.
class ValoreFuoriCampo : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Something the field input accepts but an author seldom means: where it
// is and what to say about it.
struct AvvisoCampo {
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::string controllo;  // stable short name
  std::string messaggio;
  std::string aiuto;
};

class LettoreCampi {
 public:
  using Avvisi = std::function<void(AvvisoCampo)>;

  explicit LettoreCampi(std::string_view testo, Avvisi avvisi = {})
      : testo_(testo), avvisi_(std::move(avvisi)) {}

  // True once every byte of the text has been consumed.
  bool fine() const { return pos_ >= testo_.size(); }

  std::string leggi_testo();
  // A text field stored as a name of the general table, whose length the
  // binary file keeps in 16 bits: a longer one is a read failure.
  std::string leggi_nome();

  // A whole number that must lie within [minimo, massimo]. A decimal value
  // is taken to the nearest whole number, ties to the even one, with a
  // warning.
  std::int64_t leggi_numero(std::int64_t minimo, std::int64_t massimo);

  template <typename Intero>
  Intero leggi() {
    return static_cast<Intero>(leggi_numero(std::numeric_limits<Intero>::min(),
                                            std::numeric_limits<Intero>::max()));
  }

  // 1-based line and column at which the last field read began.
  std::int32_t riga() const { return riga_campo_; }
  std::int32_t colonna() const { return colonna_campo_; }

  // A read failure at the last field read.
  [[noreturn]] void errore(const std::string& motivo) const;

 private:
  void salta_spazi();
  bool a_fine_riga() const;
  void consuma_fine_riga();
  void consuma_delimitatore();
  std::string_view leggi_grezzo(bool numerico);
  void segna_inizio_campo();
  [[noreturn]] void fuori_intervallo(std::string_view valore, std::int64_t minimo,
                                     std::int64_t massimo) const;
  std::int64_t cifre(std::string_view cifre, std::string_view grezzo, std::int64_t limite) const;
  void avvisa(std::string controllo, std::string messaggio, std::string aiuto) const;

  std::string_view testo_;
  Avvisi avvisi_;
  std::size_t pos_ = 0;
  std::int32_t riga_corrente_ = 1;
  std::size_t inizio_riga_ = 0;
  std::int32_t riga_campo_ = 0;
  std::int32_t colonna_campo_ = 0;
};

// Case-sensitive and case-insensitive (ASCII letters) substring tests.
bool contiene(std::string_view campo, std::string_view parola);
bool contiene_nocase(std::string_view campo, std::string_view parola);
// The text with its ASCII capitals made small, as those tests compare it.
std::string minuscolo(std::string_view testo);

}  // namespace scenari
