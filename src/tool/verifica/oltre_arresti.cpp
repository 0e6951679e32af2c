#include "tool/verifica/oltre_arresti.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "core/modello/codici.h"

namespace scenari::tool {

namespace {

// One problem found by both readings: the same kind at the same place.
using Identita = std::tuple<Gravita, std::optional<Codice>, std::string, std::string, std::int32_t,
                            std::int32_t, std::int32_t, std::optional<std::int32_t>, std::string>;

Identita identita(const Problema& p) {
  return {p.gravita, p.codice, p.controllo, p.luogo.file, p.luogo.riga, p.luogo.colonna,
          p.luogo.fine, p.posizione, p.messaggio};
}

Nota nota_arresto(const Problema& arresto, bool letto_oltre) {
  const std::string perche =
      "the reading stops here (code " + std::to_string(codice::numero(*arresto.codice)) + ")";
  return {arresto.luogo, perche + (letto_oltre ? "; this was found by reading on past it, which "
                                                 "a compile does not do"
                                               : "; a compile does not read this line")};
}

using Dove = std::tuple<std::string, std::int32_t, std::int32_t, std::int32_t>;

Dove dove(const Luogo& l) { return {l.file, l.riga, l.colonna, l.fine}; }

// The stops among `problemi`, by place.
std::map<Dove, const Problema*> arresti_per_luogo(const std::vector<Problema>& problemi) {
  std::map<Dove, const Problema*> arresti;
  for (const Problema& p : problemi) {
    if (p.ferma_lettura) arresti.emplace(dove(p.luogo), &p);
  }
  return arresti;
}

struct Posto {
  std::size_t file;
  std::int32_t riga;
  std::int32_t colonna;
  auto operator<=>(const Posto&) const = default;
};

Posto posto(const Luogo& l, const std::vector<std::string>& ordine_file) {
  const auto f = std::find(ordine_file.begin(), ordine_file.end(), l.file);
  return {static_cast<std::size_t>(f - ordine_file.begin()), l.riga, l.colonna};
}

// The first stop of each text.
std::map<std::string, const Problema*> primi_arresti(const std::vector<Problema>& problemi) {
  std::map<std::string, const Problema*> primi;
  for (const Problema& p : problemi) {
    if (p.ferma_lettura) primi.emplace(p.luogo.file, &p);
  }
  return primi;
}

// Whether a compile reads the line at `l`: not past the stop of its text,
// and not in the train text when the line text stopped for anything but a
// position past the route, after which the train text is still read.
bool letto_dal_compile(const Luogo& l, const std::map<std::string, const Problema*>& primi,
                       const std::vector<std::string>& ordine_file) {
  if (const auto s = primi.find(l.file); s != primi.end() && l.riga > s->second->luogo.riga) {
    return false;
  }
  const auto linea = primi.find(ordine_file.front());
  const bool treno_letto = linea == primi.end() || linea->second->codice == codice::oltre_percorso;
  return treno_letto || l.file != ordine_file.back();
}

}  // namespace

std::vector<Problema> oltre_gli_arresti(const Scenario& scenario, const TestiDescrizione& testi,
                                        const std::vector<Problema>& registrati) {
  const bool fermato = std::any_of(registrati.begin(), registrati.end(),
                                   [](const Problema& p) { return p.ferma_lettura; });
  if (!fermato) return {};
  Scenario verifica = scenario;
  verifica.oltre_arresti = true;
  const Compattazione letta = compatta(verifica, testi);
  const std::vector<Problema>& letti = letta.modello().problemi;
  const std::map<Dove, const Problema*> arresti = arresti_per_luogo(letti);
  // What both readings find stays the compile's; one found by reading on
  // again and again (a speed in force that fails at every later entry) is
  // told once. Sets rather than pairwise comparisons: a text may hold
  // thousands of problems past its stops.
  std::multiset<Identita> del_compile;
  for (const Problema& p : registrati) del_compile.insert(identita(p));
  std::set<Identita> detti;
  std::vector<Problema> nuovi;
  for (const Problema& p : letti) {
    if (!p.dopo_arresto) continue;
    Identita chi = identita(p);
    if (const auto uguale = del_compile.find(chi); uguale != del_compile.end()) {
      del_compile.erase(uguale);
      continue;
    }
    if (!detti.insert(std::move(chi)).second) continue;
    Problema nuovo = p;
    if (const auto arresto = arresti.find(dove(*p.dopo_arresto)); arresto != arresti.end()) {
      nuovo.note.push_back(nota_arresto(*arresto->second, true));
    }
    nuovi.push_back(std::move(nuovo));
  }
  return nuovi;
}

void segna_dopo_arresti(std::vector<Problema>& avvisi, const std::vector<Problema>& registrati,
                        const std::vector<Problema>& oltre, const std::vector<std::string>& ordine_file) {
  std::vector<const Problema*> arresti;
  for (const auto* problemi : {&registrati, &oltre}) {
    for (const Problema& p : *problemi) {
      if (p.ferma_lettura) arresti.push_back(&p);
    }
  }
  std::sort(arresti.begin(), arresti.end(), [&ordine_file](const Problema* a, const Problema* b) {
    return posto(a->luogo, ordine_file) < posto(b->luogo, ordine_file);
  });
  const std::map<std::string, const Problema*> primi = primi_arresti(registrati);
  for (Problema& a : avvisi) {
    if (arresti.empty() || letto_dal_compile(a.luogo, primi, ordine_file)) continue;
    // The last stop before the warning, or the first of all.
    const Posto qui = posto(a.luogo, ordine_file);
    const auto dopo = std::lower_bound(arresti.begin(), arresti.end(), qui,
                                       [&ordine_file](const Problema* s, const Posto& p) {
                                         return posto(s->luogo, ordine_file) < p;
                                       });
    const Problema* prima = dopo == arresti.begin() ? arresti.front() : *(dopo - 1);
    a.dopo_arresto = prima->luogo;
    a.note.push_back(nota_arresto(*prima, false));
  }
}

}  // namespace scenari::tool
