// The protection pass: abbattimento points in front of the signals before a
// slowdown's warning board, before the slowdown's start, through a slow
// slowdown and in front of the first signal after its end. Every walk is
// bounded by the last cell, so a slowdown near the end of the route or a
// start without an end cell never leads outside the cells.
#include <algorithm>
#include <optional>
#include <string>

#include "core/modello/codici.h"
#include "core/percorso/percorso.h"

namespace scenari {

namespace {

constexpr std::int16_t valore_abbattimento = 180;
constexpr std::int32_t celle_prima_del_cartello = 20;
constexpr std::int32_t cella_minima_segnale = 3;
constexpr std::int16_t soglia_rallentamento_lento = 110;
constexpr std::int32_t passo_dentro = 8;
constexpr std::int32_t celle_dopo_la_fine = 12;

template <typename X, typename Y>
Y minimo(X x, Y y) {
  return x > y ? y : static_cast<Y>(x);
}

class Protezione {
 public:
  explicit Protezione(Modello& m)
      : m_(m), ultima_(static_cast<std::int32_t>(m.celle_percorso.size()) - 1) {}

  void esegui() {
    for (std::int32_t i = 1; i <= ultima_ - 2; ++i) {
      if (cella_(i).tipo == tipo_cella::cartello_avviso) segnali_prima_del_cartello(i);
      if (cella_(i).tipo == tipo_cella::inizio_rallentamento) intorno_al_rallentamento(i);
    }
  }

 private:
  cella& cella_(std::int32_t k) { return m_.celle_percorso[static_cast<std::size_t>(k)]; }
  bool esiste(std::int32_t k) const { return k >= 0 && k <= ultima_; }
  bool libera(std::int32_t k) { return esiste(k) && cella_libera(cella_(k)); }
  bool abbattimento(std::int32_t k) { return esiste(k) && cella_(k).tipo == tipo_cella::abbattimento_con_valore; }

  void marca(std::int32_t k) {
    cella_(k).tipo = tipo_cella::abbattimento_con_valore;
    cella_(k).dato1 = valore_abbattimento;
  }

  void limita(std::int32_t k) { cella_(k).dato1 = minimo(valore_abbattimento, cella_(k).dato1); }

  // A point that found no free cell: reported at cell k, on the entry of the
  // object in cell `oggetto` that it was to protect.
  void errore(Codice codice, std::int32_t k, std::int32_t oggetto) {
    const Luogo voce = m_.origine(oggetto).value_or(Luogo{});
    m_.registra_errore(codice, static_cast<std::int32_t>(inizio_cella(k)), voce,
                       std::string("the ") + tipo_cella::nome(cella_(oggetto).tipo) + " in cell " +
                           std::to_string(oggetto) + " could not be protected");
  }

  // Step A: every signal among the 20 cells before a warning board.
  void segnali_prima_del_cartello(std::int32_t i) {
    for (std::int32_t k = 1; k <= celle_prima_del_cartello; ++k) {
      const std::int32_t s = i - k;
      if (s < cella_minima_segnale) return;
      if (cella_(s).tipo == tipo_cella::segnale) proteggi_segnale(s);
    }
  }

  void proteggi_segnale(std::int32_t s) {
    if (libera(s - 1)) {
      marca(s - 1);
    } else if (libera(s - 2)) {
      marca(s - 2);
    } else if (abbattimento(s - 1)) {
      limita(s - 1);
    } else if (abbattimento(s - 2)) {
      limita(s - 2);
    } else {
      errore(codice::protezione_segnale, s, s);
    }
  }

  // Step B: points before the start, inside a slow slowdown and before the
  // first signal after the end.
  void intorno_al_rallentamento(std::int32_t i) {
    inizio_ = i;
    if (i > 7) gruppo_prima(i, 5);
    if (i > 13) gruppo_prima(i, 11);
    if (i > 20) gruppo_prima(i, 18);
    const std::optional<std::int32_t> fine = cella_di_fine(i);
    if (!fine) return;
    if (cella_(i).dato1 < soglia_rallentamento_lento) dentro_il_rallentamento(i, *fine);
    segnale_dopo_la_fine(*fine);
  }

  void gruppo_prima(std::int32_t i, std::int32_t distanza) {
    for (std::int32_t d = distanza; d <= distanza + 2; ++d) {
      if (libera(i - d)) {
        marca(i - d);
        return;
      }
    }
    errore(codice::protezione_prima_rallentamento, i, i);
  }

  std::optional<std::int32_t> cella_di_fine(std::int32_t i) {
    for (std::int32_t k = i + 1; k <= ultima_; ++k) {
      if (cella_(k).tipo == tipo_cella::fine_rallentamento) return k;
    }
    return std::nullopt;
  }

  void dentro_il_rallentamento(std::int32_t i, std::int32_t fine) {
    std::int32_t n = 0;
    std::int32_t k = i;
    do {
      ++k;
      ++n;
      if (n == passo_dentro) n = punto_dentro(k);
    } while (k < fine);
  }

  // The point due at cell k, or the one next to it; returns the counter
  // that spaces the next point from the one placed.
  std::int32_t punto_dentro(std::int32_t k) {
    if (libera(k)) {
      marca(k);
      return 0;
    }
    if (libera(k - 1)) {
      marca(k - 1);
      return 1;
    }
    if (libera(k + 1)) {
      marca(k + 1);
      return -1;
    }
    errore(codice::protezione_dopo_rallentamento, k, inizio_);
    return passo_dentro;
  }

  void segnale_dopo_la_fine(std::int32_t fine) {
    const std::int32_t ultima_cercata = std::min(fine + celle_dopo_la_fine, ultima_);
    for (std::int32_t k = fine; k <= ultima_cercata; ++k) {
      if (cella_(k).tipo != tipo_cella::segnale) continue;
      const std::int32_t q = k - 1;
      if (q <= 0) return;
      if (libera(q)) {
        marca(q);
      } else if (libera(q - 1)) {
        marca(q - 1);
      } else {
        errore(codice::protezione_dopo_rallentamento, fine, k);
      }
      return;
    }
  }

  Modello& m_;
  const std::int32_t ultima_;
  std::int32_t inizio_ = 0;  // the slowdown start being protected
};

}  // namespace

void passo_protezione(Modello& m) {
  if (m.celle_percorso.empty()) return;
  Protezione(m).esegui();
}

}  // namespace scenari
