#include "tool/verifica/posto_libero.h"

#include <cstdint>
#include <string>

#include "core/formato/celle.h"
#include "core/lettura/scansione.h"
#include "core/modello/codici.h"

namespace scenari::tool {

namespace {

// How many cells each way are looked at, and how many of the free ones are
// tried by compacting: enough for a crowded stretch, few enough that an
// editor's analysis stays quick.
constexpr std::int64_t celle_cercate = 40;
constexpr int prove_massime = 6;

// The cell rule of the object whose own cell a code names; none for the
// slowdown cells that lie away from its position.
struct Regola {
  std::int64_t (*cella)(std::int64_t posizione);
  std::int64_t (*metro)(std::int64_t cella);
};

std::optional<Regola> regola_di(Codice codice) {
  switch (codice) {
    case codice::cella_cartello_occupata:
    case codice::cella_segnale_occupata:
    case codice::cella_inizio_occupata:
    case codice::cella_indicatore_occupata: return Regola{cella_punto, metro_punto};
    case codice::cella_abbattimento_occupata: return Regola{cella_profilo, inizio_cella};
    default: return std::nullopt;
  }
}

// The position `d` cells from `posizione`: 50 m a cell, or where a tie of
// the rule keeps that in the same cell, the metre of the cell itself.
std::int64_t spostata(std::int64_t posizione, std::int64_t d, const std::optional<Regola>& r) {
  const std::int64_t p = posizione + d * metri_per_cella;
  if (!r) return p;
  const std::int64_t cella = r->cella(posizione) + d;
  return r->cella(p) == cella ? p : r->metro(cella);
}

bool libera(const Modello& m, std::int64_t posizione, const std::optional<Regola>& r) {
  if (posizione < 0) return false;
  if (!r) return true;
  const std::int64_t k = r->cella(posizione);
  return k >= 0 && k <= m.ultima_cella() &&
         cella_libera(m.celle_percorso[static_cast<std::size_t>(k)]);
}

bool sulla_riga(const Luogo& l, const Luogo& voce) {
  return l.file == voce.file && l.riga == voce.riga;
}

// Whether the texts with the position written compact with no error at
// the entry, nor one at another entry over a cell it now holds.
bool accettata(const PostoOccupato& o, const std::string& valore, const Scenario& scenario,
               const TestiDescrizione& testi) {
  const std::string_view scelto = o.del_treno ? *testi.treno : *testi.linea;
  std::string testo(scelto);
  const IndiceRighe righe(scelto);
  const auto inizio = static_cast<std::size_t>(righe.riga(o.valore.riga).data() - scelto.data()) +
                      static_cast<std::size_t>(o.valore.inizio) - 1;
  testo.replace(inizio, static_cast<std::size_t>(o.valore.fine - o.valore.inizio), valore);
  TestiDescrizione prova = testi;
  (o.del_treno ? prova.treno : prova.linea) = testo;
  Scenario senza_planimetria = scenario;
  senza_planimetria.planimetria = false;
  const Compattazione c = compatta(senza_planimetria, prova);
  const Modello& m = c.modello();
  const Luogo& voce = o.problema.luogo;
  for (const Problema& p : m.problemi) {
    if (!p.errore()) continue;
    if (sulla_riga(p.luogo, voce)) return false;
    for (const Nota& n : p.note) {
      if (sulla_riga(n.luogo, voce)) return false;
    }
  }
  return true;
}

}  // namespace

std::optional<Correzione> posto_libero(const PostoOccupato& o, const Modello& m,
                                       const Scenario& scenario, const TestiDescrizione& testi) {
  if (!o.problema.posizione) return std::nullopt;
  const std::int64_t scritta = *o.problema.posizione;
  const std::optional<Regola> r = o.problema.codice ? regola_di(*o.problema.codice) : std::nullopt;
  int prove = 0;
  for (std::int64_t passo = 1; passo <= celle_cercate; ++passo) {
    for (const std::int64_t d : {-passo, passo}) {
      if (prove == prove_massime) return std::nullopt;
      const std::int64_t posizione = spostata(scritta, d, r);
      if (!libera(m, posizione, r)) continue;
      ++prove;
      const std::string valore = std::to_string(posizione);
      if (accettata(o, valore, scenario, testi)) {
        return Correzione{o.valore.riga, o.valore.inizio, o.valore.fine, valore};
      }
    }
  }
  return std::nullopt;
}

}  // namespace scenari::tool
