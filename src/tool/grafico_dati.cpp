// What the plot shows, taken from the decoded binary files.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "core/esecuzione/nomi_file.h"
#include "core/formato/formato_binario.h"
#include "tool/cp1252.h"
#include "tool/grafico.h"

namespace scenari::tool {

namespace {

std::vector<PuntoPiano> punti_pieni(const Planimetria& p) {
  std::vector<PuntoPiano> punti;
  for (std::int32_t m = 0; m <= p.ultimo_metro(); ++m) {
    const bool pieno = !std::holds_alternative<std::monostate>(p.x(m)) &&
                       !std::holds_alternative<std::monostate>(p.y(m));
    const double x = come_double(p.x(m));
    const double y = come_double(p.y(m));
    if (pieno && std::isfinite(x) && std::isfinite(y)) punti.push_back({m, x, y});
  }
  return punti;
}

using Tabella = std::array<voce_tabella, numero_voci>;

const voce_tabella* voce(const Tabella& t, int numero) {
  if (numero <= 0 || numero >= numero_voci) return nullptr;
  return &t[static_cast<std::size_t>(numero)];
}

std::string nome_voce(const Tabella& t, int numero) {
  const voce_tabella* v = voce(t, numero);
  return v ? utf8_da_1252(v->nome) : "record " + std::to_string(numero) + "?";
}

std::string m(double metri) { return std::to_string(std::lround(metri)) + " m"; }

// The s-side speed of a packed board value (20 x s + d / 5).
std::string velocita_cartello(const cella& c) {
  return std::to_string(c.dato1 / 20) + "/" + std::to_string(c.dato2 / 20) + "/" +
         std::to_string(c.dato3 / 20);
}

std::string valori_cella(const cella& c) {
  return "dato1 " + std::to_string(c.dato1) + ", dato2 " + std::to_string(c.dato2) + ", dato3 " +
         std::to_string(c.dato3) + ", dato4 " + std::to_string(c.dato4);
}

Oggetto stazione(const Tabella& t, const cella& c, double p) {
  const voce_tabella* v = voce(t, c.dato1);
  if (v == nullptr) return {Genere::stazione, p, p, nome_voce(t, c.dato1)};
  Oggetto o{Genere::stazione, static_cast<double>(v->valore1), static_cast<double>(v->valore2),
            utf8_da_1252(v->nome), static_cast<double>(v->valore3)};
  o.valori = "type " + std::to_string(v->tipo) + ", platform " + m(v->valore1) + " to " +
             m(v->valore2);
  return o;
}

// The cell where the train stops for a station.
Oggetto fermata(const Tabella& t, const cella& c, double p) {
  Oggetto o{Genere::fermata, p, p, ""};
  if (const voce_tabella* v = voce(t, c.dato1)) o.posizione = v->valore3;
  o.valori = "stop of " + nome_voce(t, c.dato1) + " (record " + std::to_string(c.dato1) + ")";
  return o;
}

// A slowdown runs from its start cell to the next end cell.
double fine_rallentamento(const std::vector<cella>& celle, std::size_t inizio) {
  for (std::size_t k = inizio + 1; k < celle.size(); ++k) {
    if (celle[k].tipo == 2) return posizione_cella(k);
  }
  return posizione_cella(inizio);
}

std::optional<Oggetto> oggetto_cella(const std::vector<cella>& celle, std::size_t k,
                                     const Tabella& t) {
  const cella& c = celle[k];
  const double p = posizione_cella(k);
  const std::string valori = valori_cella(c);
  switch (c.tipo) {
    case 1: return Oggetto{Genere::segnale, p, p, m(p), p,
                           valori + ", time " + std::to_string(c.tempo_segnale)};
    case 3: return Oggetto{Genere::rallentamento, p, fine_rallentamento(celle, k),
                    std::to_string(c.dato1) + " km/h", p, valori};
    case 4: return Oggetto{Genere::avviso, p, p, "", p, "slowdown at " + std::to_string(c.dato1) + " km/h"};
    case 6: return Oggetto{Genere::cartello_velocita, p, p, velocita_cartello(c), p, valori};
    case 12: return Oggetto{Genere::abbattimento, p, p, "", p, "value " + std::to_string(c.dato1)};
    case 13: return Oggetto{Genere::abbattimento, p, p, "", p, "no value"};
    case 14: return Oggetto{Genere::cartello, p, p, nome_voce(t, c.dato1), p,
                            "record " + std::to_string(c.dato1)};
    default: return std::nullopt;
  }
}

std::vector<Oggetto> oggetti(const std::vector<cella>& celle, const Tabella& t) {
  std::vector<Oggetto> trovati;
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    const double p = posizione_cella(k);
    if (c.tipo == 10) {
      trovati.push_back(stazione(t, c, p));
      trovati.push_back(fermata(t, c, p));
    } else if (auto o = oggetto_cella(celle, k, t)) {
      trovati.push_back(std::move(*o));
    }
    if (c.avvicinamento != 0) {
      trovati.push_back({Genere::avvicinamento, p, p, "", p,
                         "approach code " + std::to_string(c.avvicinamento)});
    }
  }
  return trovati;
}

// ---- curves, from the turn of the track between successive metres ----

// Turns per metre of the six curve classes.
constexpr double svolte[6] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// The class (1 to 6) whose turn is nearest to |k|, 0 for straight track.
int classe_curva(double k) {
  const double a = std::abs(k);
  if (a < svolte[0] / 2) return 0;
  int migliore = 1;
  for (int c = 2; c <= 6; ++c) {
    if (std::abs(std::log(a / svolte[c - 1])) < std::abs(std::log(a / svolte[migliore - 1]))) {
      migliore = c;
    }
  }
  return migliore;
}

// Positive for a right-hand curve: a step d2 = d1 turned by k gives
// d1 x d2 = -k |d1|^2.
double svolta(const PuntoPiano& a, const PuntoPiano& b, const PuntoPiano& c) {
  const double x1 = b.x - a.x, y1 = b.y - a.y, x2 = c.x - b.x, y2 = c.y - b.y;
  const double n = x1 * x1 + y1 * y1;
  return n > 0 ? -(x1 * y2 - y1 * x2) / n : 0;
}

Oggetto curva(std::int32_t inizio, std::int32_t fine, int classe, bool destra) {
  Oggetto o{Genere::curva, static_cast<double>(inizio), static_cast<double>(fine),
            std::string(destra ? "right " : "left ") + std::to_string(classe)};
  o.valori = std::string(destra ? "right-hand" : "left-hand") + ", class " +
             std::to_string(classe) + ", " + m(fine - inizio) + " long";
  return o;
}

// Runs of metres that turn alike, one curve each: a curve from s for l
// metres turns the steps to the points s + 1 to s + l.
std::vector<Oggetto> curve(const std::vector<PuntoPiano>& punti) {
  std::vector<Oggetto> trovate;
  int classe = 0;
  bool destra = false;
  std::int32_t inizio = 0;
  auto chiudi = [&](std::int32_t fine) {
    if (classe != 0) trovate.push_back(curva(inizio, fine, classe, destra));
  };
  for (std::size_t i = 2; i < punti.size(); ++i) {
    const double k = svolta(punti[i - 2], punti[i - 1], punti[i]);
    const int c = classe_curva(k);
    const bool d = k > 0;
    if (c == classe && (c == 0 || d == destra)) continue;
    chiudi(punti[i - 1].metro);
    classe = c;
    destra = d;
    inizio = punti[i - 1].metro;
  }
  if (!punti.empty()) chiudi(punti.back().metro);
  return trovate;
}

// ---- where each object was written ----

std::string minuscolo(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

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
    if (letti != campo.size()) return std::nullopt;
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
  while (!testo.empty()) {
    const std::size_t fine = testo.find('\n');
    std::string_view riga = testo.substr(0, fine);
    testo.remove_prefix(fine == std::string_view::npos ? testo.size() : fine + 1);
    ++n;
    if (!riga.empty() && riga.back() == '\r') riga.remove_suffix(1);
    if (auto o = origine_riga(riga, file, n)) trovate.push_back(std::move(*o));
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

std::vector<int> velocita_effettiva(const std::vector<cella>& celle) {
  std::vector<int> v(celle.size());
  for (std::size_t k = 0; k < celle.size(); ++k) v[k] = celle[k].velocita_limite * 5;
  // A slowdown from x to x + l has its start in cell x / 50 + 1 and its end
  // in cell (x + l) / 50 + 1, while the profile cell holding metre x is
  // x / 50: so it lowers the cells from one before its start to two before
  // its end, or to the last cell when it has no end.
  for (std::size_t k = 1; k < celle.size(); ++k) {
    if (celle[k].tipo != 3) continue;
    std::size_t fine = k + 1;
    while (fine < celle.size() && celle[fine].tipo != 2) ++fine;
    const std::size_t oltre = fine < celle.size() ? fine - 1 : celle.size();
    const int limite = std::max(0, static_cast<int>(celle[k].dato1));
    for (std::size_t j = k - 1; j < oltre; ++j) v[j] = std::min(v[j], limite);
  }
  return v;
}

std::size_t celle_con_profilo(const std::vector<cella>& celle) {
  std::size_t n = celle.size();
  while (n > 1 && celle[n - 1].pendenza == 0 && celle[n - 1].velocita_limite == 0 &&
         celle[n - 1].aderenza == 0) {
    --n;
  }
  return n;
}

DatiGrafico dati_grafico(const std::optional<std::string>& planimetria, std::string_view tabella,
                         std::string_view celle) {
  DatiGrafico d;
  if (planimetria) {
    d.ha_piano = true;
    d.piano = punti_pieni(decodifica_planimetria(*planimetria));
  }
  const auto t = decodifica_tabella(tabella);
  d.celle = decodifica_celle(celle);
  d.titolo = utf8_da_1252(t[85].nome) + " \u2014 train " + utf8_da_1252(t[86].nome);
  d.lunghezza_percorso = t[84].valore2;
  d.oggetti = oggetti(d.celle, t);
  const auto c = curve(d.piano);
  d.oggetti.insert(d.oggetti.end(), c.begin(), c.end());
  return d;
}

namespace {

std::string nome_file(const std::string& percorso) {
  const std::size_t barra = percorso.find_last_of("/\\");
  return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

}  // namespace

DatiGrafico dati_da_cartella(platform::Files& files, const std::string& cartella,
                             const std::string& nome_linea, const std::string& numero_treno) {
  const NomiFile nomi = nomi_file(cartella, nome_linea, numero_treno);
  std::optional<std::string> piano;
  if (files.exists(nomi.linea_dat)) piano = files.read(nomi.linea_dat);
  DatiGrafico d = dati_grafico(piano, files.read(nomi.sim), files.read(nomi.dat));
  std::vector<Origine> origini;
  for (const auto& testo : {nomi.linea_txt, nomi.treno_txt}) {
    if (!files.exists(testo)) continue;
    const auto trovate = origini_testo(files.read(testo), nome_file(testo));
    origini.insert(origini.end(), trovate.begin(), trovate.end());
  }
  associa_origini(d, origini);
  return d;
}

}  // namespace scenari::tool
