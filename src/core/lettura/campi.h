// Field input of the description texts: the fields of the scanner read as
// texts, names and whole numbers. Reading past the end, or a numeric field
// that holds no number or does not fit its width, throws ErroreLettura.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "core/lettura/scansione.h"
#include "core/modello/controlli.h"

namespace scenari {

// A field that cannot be read: where it lies and why. The message is the
// reason alone; the place travels beside it.
class ErroreLettura : public std::runtime_error {
 public:
  ErroreLettura(const Tratto& tratto, const std::string& motivo);
  // The field on which reading stopped.
  const Tratto& tratto() const { return tratto_; }

 private:
  Tratto tratto_;
};

// A value computed from the fields that its member cannot hold; the reader
// reports it as a read failure on the field that decides it, the `indice`-th
// of the values the computation was given.
class ValoreFuoriCampo : public std::runtime_error {
 public:
  ValoreFuoriCampo(std::size_t indice, const std::string& motivo)
      : std::runtime_error(motivo), indice_(indice) {}
  std::size_t indice() const { return indice_; }

 private:
  std::size_t indice_;
};

// Something the field input accepts but an author seldom means: where it
// is and what to say about it.
struct AvvisoCampo {
  Tratto tratto;
  std::string controllo;  // stable short name
  std::string messaggio;
  std::string aiuto;
};

class LettoreCampi {
 public:
  using Avvisi = std::function<void(AvvisoCampo)>;

  explicit LettoreCampi(std::string_view testo, Avvisi avvisi = {})
      : scansione_(testo), avvisi_(std::move(avvisi)) {}

  // True once every byte of the text has been consumed.
  bool fine() const { return scansione_.fine(); }

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
    // The range checks work in 64 bits, past the widest field of the texts.
    static_assert(sizeof(Intero) < sizeof(std::int64_t));
    return static_cast<Intero>(leggi_numero(std::numeric_limits<Intero>::min(),
                                            std::numeric_limits<Intero>::max()));
  }

  // Where the last field read lies.
  const Tratto& tratto() const { return tratto_; }

  // A read failure at the last field read.
  [[noreturn]] void errore(const std::string& motivo) const;

  // After a read failure at `tratto`, when reading on for checking: the
  // rest of its line is passed over, so reading resumes at the next entry.
  void riprendi_dopo(const Tratto& tratto) { scansione_.salta_a_riga(tratto.riga + 1); }

 private:
  std::string_view leggi_grezzo(Modo modo);
  [[noreturn]] void fuori_intervallo(std::string_view valore, std::int64_t minimo,
                                     std::int64_t massimo) const;
  std::int64_t cifre(std::string_view cifre, std::string_view grezzo, std::int64_t limite) const;
  void avvisa(controllo::Avviso controllo, std::string messaggio, std::string aiuto) const;

  Scansione scansione_;
  Avvisi avvisi_;
  Tratto tratto_;
};

// Case-sensitive and case-insensitive (ASCII letters) substring tests.
bool contiene(std::string_view campo, std::string_view parola);
bool contiene_nocase(std::string_view campo, std::string_view parola);
// The text with its ASCII capitals made small, as those tests compare it.
std::string minuscolo(std::string_view testo);

}  // namespace scenari
