#include "core/modello/modello.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/modello/codici.h"

namespace scenari {

bool Modello::errore_del_formato(const Problema& p) {
  return p.errore() && codice::descrivi(p.codice).del_formato;
}

std::int32_t Modello::codice_errore() const {
  for (auto p = problemi.rbegin(); p != problemi.rend(); ++p) {
    if (errore_del_formato(*p)) return p->codice;
  }
  return 0;
}

std::int32_t Modello::posizione_errore() const {
  for (auto p = problemi.rbegin(); p != problemi.rend(); ++p) {
    if (errore_del_formato(*p) && p->posizione) return *p->posizione;
  }
  return 0;
}

const Problema* Modello::ultimo_errore() const {
  const auto p = std::find_if(problemi.rbegin(), problemi.rend(),
                              [](const Problema& q) { return q.errore(); });
  return p == problemi.rend() ? nullptr : &*p;
}

bool Modello::ha_errori() const {
  return std::any_of(problemi.begin(), problemi.end(), [](const Problema& p) { return p.errore(); });
}

Problema& Modello::registra_errore(std::int32_t codice, std::optional<std::int32_t> posizione,
                                   Luogo luogo, std::string dettaglio) {
  const codice::Descrizione& d = codice::descrivi(codice);
  Problema p;
  p.codice = codice;
  p.controllo = d.nome;
  p.luogo = std::move(luogo);
  p.posizione = posizione;
  p.messaggio = d.significato;
  p.dettaglio = std::move(dettaglio);
  p.aiuto = d.aiuto;
  problemi.push_back(std::move(p));
  return problemi.back();
}

Problema& Modello::registra_avviso(std::string controllo, Luogo luogo, std::string messaggio,
                                   std::string aiuto) {
  Problema p;
  p.gravita = Gravita::avviso;
  p.controllo = std::move(controllo);
  p.luogo = std::move(luogo);
  p.messaggio = std::move(messaggio);
  p.aiuto = std::move(aiuto);
  problemi.push_back(std::move(p));
  return problemi.back();
}

void Modello::crea_percorso(std::int32_t lunghezza) {
  lunghezza_totale = lunghezza + 7000;
  numero_celle = static_cast<std::int32_t>(arrotonda(lunghezza_totale, 50));
  celle_percorso.assign(static_cast<std::size_t>(numero_celle) + 1, cella{});
  if (genera_linea != 0) {
    planimetria.crea(lunghezza_totale);
  } else {
    planimetria.elimina();
  }
}

std::int64_t arrotonda(std::int64_t numeratore, std::int64_t denominatore) {
  std::int64_t quoziente = numeratore / denominatore;
  std::int64_t resto = numeratore % denominatore;
  // Bring the quotient to the floor so that the remainder is non-negative.
  if (resto < 0) {
    resto += denominatore;
    quoziente -= 1;
  }
  const std::int64_t doppio = 2 * resto;
  if (doppio > denominatore || (doppio == denominatore && (quoziente & 1) != 0)) {
    quoziente += 1;
  }
  return quoziente;
}

}  // namespace scenari
