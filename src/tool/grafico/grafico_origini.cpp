// Where each object was written, as the model recorded it while placing
// the objects: the entry behind each cell's object, each terrain stretch
// and each curve. The line itself is taken from the text it names.
#include <algorithm>
#include <map>

#include "tool/cp1252.h"
#include "tool/grafico/grafico.h"
#include "tool/righe.h"

namespace scenari::tool {

namespace {

class Righe {
 public:
  explicit Righe(const std::vector<TestoLetto>& testi) {
    for (const auto& t : testi) righe_[t.file] = righe_di(t.testo);
  }

  std::optional<Origine> origine(const std::optional<Luogo>& luogo) const {
    if (!luogo) return std::nullopt;
    Origine o{luogo->file, luogo->riga, {}};
    const auto testo = righe_.find(luogo->file);
    if (testo != righe_.end() && luogo->riga >= 1 &&
        static_cast<std::size_t>(luogo->riga) <= testo->second.size()) {
      o.voce = utf8_da_1252(testo->second[static_cast<std::size_t>(luogo->riga) - 1]);
    }
    return o;
  }

 private:
  std::map<std::string, std::vector<std::string_view>> righe_;
};

// The last of `tratti` (in the order read) that holds `punto`: a later
// stretch overrides an earlier one where they overlap.
const OrigineTratto* tratto_con(const std::vector<OrigineTratto>& tratti, double punto) {
  const auto t = std::find_if(tratti.rbegin(), tratti.rend(),
                              [&](const OrigineTratto& o) { return o.da <= punto && punto <= o.a; });
  return t == tratti.rend() ? nullptr : &*t;
}

bool stessa_cella(const DatiGrafico& dati, const Modello& m, std::int32_t k) {
  const auto i = static_cast<std::size_t>(k);
  return k >= 0 && i < dati.celle.size() && i < m.celle_percorso.size() && dati.celle[i] == m.celle_percorso[i];
}

std::optional<Luogo> luogo_di(const Oggetto& o, const DatiGrafico& dati, const Modello& m) {
  switch (o.genere) {
    case Genere::avvicinamento: return std::nullopt;  // the cell's object is another's
    case Genere::curva: {
      const OrigineTratto* t = tratto_con(m.origini_curve, (o.inizio + o.fine) / 2);
      return t ? m.luogo(t->voce) : std::nullopt;
    }
    case Genere::montagna:
    case Genere::marcatore_montagna: {
      if (!stessa_cella(dati, m, o.cella)) return std::nullopt;
      const OrigineTratto* t = tratto_con(m.origini_montagne, o.cella);
      return t ? m.luogo(t->voce) : std::nullopt;
    }
    default:
      if (!stessa_cella(dati, m, o.cella)) return std::nullopt;
      return m.origine(o.cella);
  }
}

}  // namespace

void associa_origini(DatiGrafico& dati, const Modello& m, const std::vector<TestoLetto>& testi) {
  const Righe righe(testi);
  for (auto& o : dati.oggetti) o.origine = righe.origine(luogo_di(o, dati, m));
}

}  // namespace scenari::tool
