#include "tool/verifica/oltre_arresti.h"

#include <algorithm>
#include <optional>

#include "core/modello/codici.h"

namespace scenari::tool {

namespace {

// One problem found by both readings: the same kind at the same place.
bool stesso(const Problema& a, const Problema& b) {
  return a.gravita == b.gravita && a.codice == b.codice && a.controllo == b.controllo &&
         a.luogo == b.luogo && a.posizione == b.posizione && a.messaggio == b.messaggio;
}

Nota nota_arresto(const Problema& arresto, bool letto_oltre) {
  const std::string perche = "the reading stops here (code " + std::to_string(arresto.codice) + ")";
  return {arresto.luogo, perche + (letto_oltre ? "; this was found by reading on past it, which "
                                                 "a compile does not do"
                                               : "; a compile does not read this line")};
}

const Problema* arresto_a(const std::vector<Problema>& problemi, const Luogo& luogo) {
  const auto p = std::find_if(problemi.begin(), problemi.end(), [&luogo](const Problema& q) {
    return q.ferma_lettura && q.luogo == luogo;
  });
  return p == problemi.end() ? nullptr : &*p;
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

const Problema* primo_arresto(const std::vector<Problema>& problemi, const std::string& file) {
  const auto p = std::find_if(problemi.begin(), problemi.end(), [&file](const Problema& q) {
    return q.ferma_lettura && q.luogo.file == file;
  });
  return p == problemi.end() ? nullptr : &*p;
}

// Whether a compile reads the line at `l`: not past the stop of its text,
// and not in the train text when the line text stopped for anything but a
// position past the route, after which the train text is still read.
bool letto_dal_compile(const Luogo& l, const std::vector<Problema>& registrati,
                       const std::vector<std::string>& ordine_file) {
  if (const Problema* s = primo_arresto(registrati, l.file); s && l.riga > s->luogo.riga) return false;
  const Problema* linea = primo_arresto(registrati, ordine_file.front());
  const bool treno_letto = !linea || linea->codice == codice::oltre_percorso;
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
  const std::vector<Problema> letti = compatta(verifica, testi).modello.problemi;
  // What both readings find stays the compile's; one found by reading on
  // again and again (a speed in force that fails at every later entry) is
  // told once.
  std::vector<bool> preso(registrati.size(), false);
  std::vector<Problema> nuovi;
  for (const Problema& p : letti) {
    if (!p.dopo_arresto) continue;
    bool trovato = false;
    for (std::size_t i = 0; i < registrati.size() && !trovato; ++i) {
      if (!preso[i] && stesso(p, registrati[i])) trovato = preso[i] = true;
    }
    const auto gia = [&p](const Problema& q) { return stesso(p, q); };
    if (trovato || std::any_of(nuovi.begin(), nuovi.end(), gia)) continue;
    Problema nuovo = p;
    if (const Problema* arresto = arresto_a(letti, *p.dopo_arresto)) {
      nuovo.note.push_back(nota_arresto(*arresto, true));
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
  for (Problema& a : avvisi) {
    if (arresti.empty() || letto_dal_compile(a.luogo, registrati, ordine_file)) continue;
    const Posto qui = posto(a.luogo, ordine_file);
    const Problema* prima = arresti.front();
    for (const Problema* s : arresti) {
      if (posto(s->luogo, ordine_file) < qui) prima = s;
    }
    a.dopo_arresto = prima->luogo;
    a.note.push_back(nota_arresto(*prima, false));
  }
}

}  // namespace scenari::tool
