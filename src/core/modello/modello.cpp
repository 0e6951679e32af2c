#include "core/modello/modello.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "core/modello/codici.h"

namespace scenari {

bool Modello::errore_del_formato(const Problema& p) {
  return p.codice && codice::descrivi(*p.codice).del_formato;
}

std::optional<Codice> Modello::codice_errore() const {
  for (auto p = problemi.rbegin(); p != problemi.rend(); ++p) {
    if (errore_del_formato(*p)) return p->codice;
  }
  return std::nullopt;
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

bool Modello::ha_errori() const { return scenari::ha_errori(problemi); }

Problema& Modello::registra_errore(Codice codice, std::optional<std::int32_t> posizione,
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
  problemi.push_back(
      avviso(std::move(controllo), std::move(luogo), std::move(messaggio), std::move(aiuto)));
  return problemi.back();
}

namespace {

OrigineCella compatta_luogo(std::vector<std::string>& testi_letti, const Luogo& voce) {
  auto testo = std::find(testi_letti.begin(), testi_letti.end(), voce.file);
  if (testo == testi_letti.end()) testo = testi_letti.insert(testi_letti.end(), voce.file);
  return {static_cast<std::uint8_t>(testo - testi_letti.begin() + 1), voce.riga, voce.colonna, voce.fine};
}

std::int32_t limitato(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

bool nel_percorso(const std::vector<cella>& celle, std::int64_t k) {
  return k >= 0 && static_cast<std::uint64_t>(k) < celle.size();
}

}  // namespace

void Modello::segna_origine(std::int64_t cella, const Luogo& voce) {
  if (voce.file.empty() || !nel_percorso(celle_percorso, cella)) return;
  origini[static_cast<std::int32_t>(cella)] = compatta_luogo(testi_letti, voce);
}

void Modello::segna_tratto(std::vector<OrigineTratto>& tratti, std::int64_t da, std::int64_t a,
                           const Luogo& voce) {
  if (voce.file.empty()) return;
  tratti.push_back({limitato(da), limitato(a), compatta_luogo(testi_letti, voce)});
}

std::optional<Luogo> Modello::luogo(const OrigineCella& o) const {
  if (o.testo == 0 || o.testo > testi_letti.size()) return std::nullopt;
  return Luogo{testi_letti[o.testo - 1u], o.riga, o.colonna, o.fine};
}

std::optional<Luogo> Modello::origine(std::int64_t cella) const {
  if (!nel_percorso(celle_percorso, cella)) return std::nullopt;
  const auto o = origini.find(static_cast<std::int32_t>(cella));
  return o == origini.end() ? std::nullopt : luogo(o->second);
}

void Modello::nota_cella(Problema& p, std::int64_t cella) const {
  const std::optional<Luogo> luogo = origine(cella);
  if (!luogo) return;
  const std::uint8_t tipo = celle_percorso[static_cast<std::size_t>(cella)].tipo;
  p.note.push_back({*luogo, std::string("the ") + tipo_cella::nome(tipo) +
                                " of this entry holds cell " + std::to_string(cella)});
}

void Modello::crea_percorso(std::int32_t lunghezza) {
  lunghezza_totale = lunghezza + 7000;
  numero_celle = static_cast<std::int32_t>(cella_profilo(lunghezza_totale));
  celle_percorso.assign(static_cast<std::size_t>(numero_celle) + 1, cella{});
  origini.clear();
  if (genera_linea != 0) {
    planimetria.crea(lunghezza_totale);
  } else {
    planimetria.elimina();
  }
}

}  // namespace scenari
