// Where each object was written: the entries of the description texts that
// place objects, matched to the objects by kind and position.
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/lettura/campi.h"
#include "tool/cp1252.h"
#include "tool/grafico/grafico.h"
#include "tool/righe.h"

namespace scenari::tool {

namespace {

std::optional<Genere> genere_voce(const std::string& chiave) {
  auto ha = [&](const char* parola) { return chiave.find(parola) != std::string::npos; };
  if (ha("segnale")) return Genere::segnale;
  if (ha("rallentamento")) return Genere::rallentamento;
  if (ha("stazione")) return Genere::stazione;
  if (ha("abbattimento")) return Genere::abbattimento;
  if (ha("indicatori_v")) return Genere::cartello_velocita;
  if (ha("cartello") && ha("indicat")) return Genere::cartello;
  if (ha("curva")) return Genere::curva;
  return std::nullopt;
}

std::optional<double> primo_valore(std::string_view resto) {
  const std::size_t fine = resto.find(',');
  std::string campo(resto.substr(0, fine));
  const auto a = campo.find_first_not_of(' ');
  if (a == std::string::npos) return std::nullopt;
  campo = campo.substr(a, campo.find_last_not_of(' ') - a + 1);
  try {
    std::size_t letti = 0;
    const double v = std::stod(campo, &letti);
    if (letti != campo.size() || !std::isfinite(v)) return std::nullopt;
    return v;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<Origine> origine_riga(std::string_view riga, const std::string& file, std::int32_t n) {
  const std::size_t virgola = riga.find(',');
  if (virgola == std::string_view::npos) return std::nullopt;
  const auto genere = genere_voce(minuscolo(riga.substr(0, virgola)));
  if (!genere) return std::nullopt;
  const auto posizione = primo_valore(riga.substr(virgola + 1));
  if (!posizione) return std::nullopt;
  return Origine{*genere, *posizione, file, n, utf8_da_1252(riga)};
}

// The kind of entry an object comes from, and how far before the entry's
// position the object lies.
struct Provenienza {
  Genere genere;
  double anticipo;
  double tolleranza;
};

std::optional<Provenienza> provenienza(Genere g) {
  switch (g) {
    case Genere::avviso: return Provenienza{Genere::rallentamento, 1200, 25};
    case Genere::fermata: return Provenienza{Genere::stazione, 0, 0};
    case Genere::stazione: return Provenienza{Genere::stazione, 0, 0};
    case Genere::curva: return Provenienza{Genere::curva, 0, 1};
    case Genere::avvicinamento: return std::nullopt;
    default: return Provenienza{g, 0, 25};
  }
}

const Origine* trova(const std::vector<const Origine*>& ordinate, double posizione, double tolleranza) {
  auto it = std::lower_bound(ordinate.begin(), ordinate.end(), posizione - tolleranza,
                             [](const Origine* o, double p) { return o->posizione < p; });
  const Origine* migliore = nullptr;
  for (; it != ordinate.end() && (*it)->posizione <= posizione + tolleranza; ++it) {
    if (!migliore || std::abs((*it)->posizione - posizione) < std::abs(migliore->posizione - posizione)) {
      migliore = *it;
    }
  }
  return migliore;
}

}  // namespace

std::vector<Origine> origini_testo(std::string_view testo, const std::string& file) {
  std::vector<Origine> trovate;
  std::int32_t n = 0;
  for (std::string_view riga : righe_di(testo)) {
    if (auto o = origine_riga(riga, file, ++n)) trovate.push_back(std::move(*o));
  }
  return trovate;
}

void associa_origini(DatiGrafico& dati, const std::vector<Origine>& origini) {
  std::vector<const Origine*> ordinate;
  for (const auto& o : origini) ordinate.push_back(&o);
  std::stable_sort(ordinate.begin(), ordinate.end(), [](const Origine* a, const Origine* b) {
    return a->genere != b->genere ? a->genere < b->genere : a->posizione < b->posizione;
  });
  for (auto& oggetto : dati.oggetti) {
    const auto p = provenienza(oggetto.genere);
    if (!p) continue;
    const auto da = std::lower_bound(ordinate.begin(), ordinate.end(), p->genere,
                                     [](const Origine* o, Genere g) { return o->genere < g; });
    const auto a = std::upper_bound(da, ordinate.end(), p->genere,
                                    [](Genere g, const Origine* o) { return g < o->genere; });
    const std::vector<const Origine*> dello_stesso(da, a);
    if (const Origine* o = trova(dello_stesso, oggetto.posizione + p->anticipo, p->tolleranza)) {
      oggetto.origine = *o;
      if (oggetto.genere != Genere::avviso) oggetto.posizione = o->posizione;
    }
  }
}

}  // namespace scenari::tool
