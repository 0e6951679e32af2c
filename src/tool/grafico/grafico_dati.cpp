// What the plot shows, taken from the decoded binary files.
#include <algorithm>
#include <cmath>
#include <optional>

#include "esecuzione/nomi_file.h"
#include "core/formato/formato_binario.h"
#include "tool/cp1252.h"
#include "tool/grafico/grafico.h"
#include "tool/grafico/grafico_problemi.h"

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

// An abbattimento point at p lies in cell p / 50, one cell later than the
// other point objects.
Oggetto abbattimento(std::size_t k, std::string valori) {
  const double p = static_cast<double>(k) * metri_per_cella;
  return {Genere::abbattimento, p, p, "", p, std::move(valori)};
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
    case 12: return abbattimento(k, "value " + std::to_string(c.dato1));
    case 13: return abbattimento(k, "no value");
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

}  // namespace

const char* classe_genere(Genere g) {
  switch (g) {
    case Genere::segnale: return "signal";
    case Genere::rallentamento: return "slowdown";
    case Genere::avviso: return "warning-board";
    case Genere::cartello_velocita: return "speed-board";
    case Genere::cartello: return "text-board";
    case Genere::stazione: return "station";
    case Genere::fermata: return "stop-cell";
    case Genere::curva: return "curve";
    case Genere::abbattimento: return "protection-point";
    case Genere::avvicinamento: return "approach-cell";
  }
  return "object";
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
  const auto c = curve_del_piano(d.piano);
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
  // Each text is read once, for the entries of the objects and, when both
  // are there, for the compile's problems.
  std::optional<std::string> testi[2];
  std::vector<Origine> origini;
  for (std::size_t i = 0; i < 2; ++i) {
    const std::string& percorso = i == 0 ? nomi.linea_txt : nomi.treno_txt;
    if (!files.exists(percorso)) continue;
    testi[i] = files.read(percorso);
    const auto trovate = origini_testo(*testi[i], nome_file(percorso));
    origini.insert(origini.end(), trovate.begin(), trovate.end());
  }
  associa_origini(d, origini);
  if (testi[0] && testi[1]) {
    d.problemi = problemi_dei_testi(nome_linea, numero_treno, *testi[0], *testi[1]);
  }
  return d;
}

}  // namespace scenari::tool
