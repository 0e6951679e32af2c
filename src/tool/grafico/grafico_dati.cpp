// What the plot shows, taken from the decoded binary files.
#include <algorithm>
#include <cmath>
#include <optional>

#include "esecuzione/nomi_file.h"
#include "core/formato/formato_binario.h"
#include "tool/cp1252.h"
#include "tool/significato.h"
#include "tool/grafico/grafico.h"
#include "tool/grafico/grafico_problemi.h"
#include "tool/verifica/analisi.h"

namespace scenari::tool {

namespace {

// The points that hold both coordinates, finite ones only.
void aggiungi_pieno(std::vector<PuntoPiano>& punti, std::int32_t m, double x, double y) {
  if (std::isfinite(x) && std::isfinite(y)) punti.push_back({m, x, y});
}

std::vector<PuntoPiano> punti_pieni(const std::string& byte) {
  std::vector<PuntoPiano> punti;
  scorri_planimetria(byte, [&punti](std::int32_t m, const valore_piano& x, const valore_piano& y) {
    if (!std::holds_alternative<std::monostate>(x) && !std::holds_alternative<std::monostate>(y)) {
      aggiungi_pieno(punti, m, come_double(x), come_double(y));
    }
  });
  return punti;
}

// Straight from the runs of the model's plan, without the points array.
std::vector<PuntoPiano> punti_pieni(const Tracciato& t) {
  std::vector<PuntoPiano> punti;
  punti.reserve(static_cast<std::size_t>(t.metro()));
  if (t.iniziato()) {
    punti.push_back({0, 0, 0});
    if (t.ultimo_metro() >= 1) punti.push_back({1, 0, 1});
  }
  t.scorri([&punti](std::int32_t m, double x, double y) { aggiungi_pieno(punti, m, x, y); });
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

// The s-side speeds of a board's three values.
std::string velocita_cartello(const cella& c) {
  return std::to_string(decodifica_cartello_velocita(c.dato1).s) + "/" +
         std::to_string(decodifica_cartello_velocita(c.dato2).s) + "/" +
         std::to_string(decodifica_cartello_velocita(c.dato3).s);
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

// Profile values, terrain and abbattimento points at p lie in cell p / 50,
// one cell later than the other point objects.
double posizione_profilo(std::size_t k) {
  return static_cast<double>(inizio_cella(static_cast<std::int64_t>(k)));
}

Oggetto abbattimento(std::size_t k, std::string valori) {
  const double p = posizione_profilo(k);
  return {Genere::abbattimento, p, p, "", p, std::move(valori)};
}

// A slowdown runs from its start cell to the next end cell.
double fine_rallentamento(const std::vector<cella>& celle, std::size_t inizio) {
  for (std::size_t k = inizio + 1; k < celle.size(); ++k) {
    if (celle[k].tipo == tipo_cella::fine_rallentamento) return posizione_cella(k);
  }
  return posizione_cella(inizio);
}

std::optional<Oggetto> oggetto_cella(const std::vector<cella>& celle, std::size_t k,
                                     const Tabella& t) {
  const cella& c = celle[k];
  const double p = posizione_cella(k);
  const std::string valori = decodifica_cella(k, c);
  switch (c.tipo) {
    case tipo_cella::segnale: return Oggetto{Genere::segnale, p, p, m(p), p, valori};
    case tipo_cella::inizio_rallentamento: return Oggetto{Genere::rallentamento, p, fine_rallentamento(celle, k),
                    std::to_string(c.dato1) + " km/h", p, valori};
    case tipo_cella::cartello_avviso: return Oggetto{Genere::avviso, p, p, "", p, valori};
    case tipo_cella::prima_dell_avviso: return Oggetto{Genere::cella_avviso, p, p, "", p, "cell " + std::to_string(c.dato1) + " before a warning board"};
    case tipo_cella::marcatore_montagna: return Oggetto{Genere::marcatore_montagna, posizione_profilo(k), posizione_profilo(k), ""};
    case tipo_cella::indicatore_velocita: return Oggetto{Genere::cartello_velocita, p, p, velocita_cartello(c), p, valori};
    case tipo_cella::abbattimento_con_valore: return abbattimento(k, valori);
    case tipo_cella::abbattimento: return abbattimento(k, "no value");
    case tipo_cella::cartello_testo: return Oggetto{Genere::cartello, p, p, nome_voce(t, c.dato1), p,
                            valori};
    default: return std::nullopt;
  }
}

// A terrain stretch for each run of cells of one terrain type.
void montagne(const std::vector<cella>& celle, std::vector<Oggetto>& trovati) {
  for (std::size_t k = 0; k < celle.size();) {
    std::size_t fine = k + 1;
    while (fine < celle.size() && celle[fine].montagna == celle[k].montagna) ++fine;
    if (celle[k].montagna != 0) {
      const std::string tipo = "type " + std::to_string(celle[k].montagna);
      Oggetto o{Genere::montagna, posizione_profilo(k), posizione_profilo(fine), tipo, {}, "terrain " + tipo};
      o.cella = static_cast<std::int32_t>(k);
      trovati.push_back(std::move(o));
    }
    k = fine;
  }
}

std::vector<Oggetto> oggetti(const std::vector<cella>& celle, const Tabella& t) {
  std::vector<Oggetto> trovati;
  auto aggiungi = [&](Oggetto o, std::size_t k) {
    o.cella = static_cast<std::int32_t>(k);
    trovati.push_back(std::move(o));
  };
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    const double p = posizione_cella(k);
    if (c.tipo == tipo_cella::fermata) {
      aggiungi(stazione(t, c, p), k);
      aggiungi(fermata(t, c, p), k);
    } else if (auto o = oggetto_cella(celle, k, t)) {
      aggiungi(std::move(*o), k);
    }
    if (c.avvicinamento != 0) {
      aggiungi({Genere::avvicinamento, p, p, "", p, "approach code " + std::to_string(c.avvicinamento)}, k);
    }
  }
  montagne(celle, trovati);
  return trovati;
}

}  // namespace

std::vector<int> velocita_effettiva(const std::vector<cella>& celle) {
  std::vector<int> v(celle.size());
  for (std::size_t k = 0; k < celle.size(); ++k) v[k] = velocita_kmh(celle[k].velocita_limite);
  // A slowdown from x to x + l has its start in cell x / 50 + 1 and its end
  // in cell (x + l) / 50 + 1, while the profile cell holding metre x is
  // x / 50: so it lowers the cells from one before its start to two before
  // its end, or to the last cell when it has no end.
  for (std::size_t k = 1; k < celle.size(); ++k) {
    if (celle[k].tipo != tipo_cella::inizio_rallentamento) continue;
    std::size_t fine = k + 1;
    while (fine < celle.size() && celle[fine].tipo != tipo_cella::fine_rallentamento) ++fine;
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

namespace {

DatiGrafico dati(std::optional<std::vector<PuntoPiano>> piano, const Tabella& t,
                 std::vector<cella> celle) {
  DatiGrafico d;
  if (piano) {
    d.ha_piano = true;
    d.piano = std::move(*piano);
  }
  d.celle = std::move(celle);
  d.titolo = utf8_da_1252(t[voce::linea].nome) + " \u2014 train " +
             utf8_da_1252(t[voce::orologio].nome);
  d.lunghezza_percorso = t[voce::treno].valore2;
  d.oggetti = oggetti(d.celle, t);
  const auto c = curve_del_piano(d.piano);
  d.oggetti.insert(d.oggetti.end(), c.begin(), c.end());
  return d;
}

std::string nome_file(const std::string& percorso) {
  const std::size_t barra = percorso.find_last_of("/\\");
  return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

}  // namespace

DatiGrafico dati_grafico(const std::optional<std::string>& planimetria, std::string_view tabella,
                         std::string_view celle) {
  std::optional<std::vector<PuntoPiano>> piano;
  if (planimetria) piano = punti_pieni(*planimetria);
  return dati(std::move(piano), decodifica_tabella(tabella), decodifica_celle(celle));
}

DatiGrafico dati_grafico(const Modello& m) {
  std::optional<std::vector<PuntoPiano>> piano;
  if (m.planimetria.esiste()) piano = punti_pieni(m.planimetria);
  return dati(std::move(piano), m.tabella_generale, m.celle_percorso);
}

DatiGrafico dati_da_testi(const Scenario& scenario, const TestiDescrizione& testi) {
  const Analisi a = analizza(scenario, testi);
  const Modello& m = a.compattazione.modello();
  DatiGrafico d = dati_grafico(m);
  const NomiFile nomi = nomi_file(scenario.nome_linea, scenario.numero_treno);
  associa_origini(d, m, {{nomi.linea_txt, *testi.linea}, {nomi.treno_txt, *testi.treno}});
  d.problemi = marcatori(a.problemi);
  return d;
}

DatiGrafico dati_da_cartella(platform::Files& files, const std::string& cartella,
                             const std::string& nome_linea, const std::string& numero_treno) {
  const NomiFile nomi = nomi_file(cartella, nome_linea, numero_treno);
  std::optional<std::string> piano;
  if (files.exists(nomi.linea_dat)) piano = files.read(nomi.linea_dat);
  DatiGrafico d = dati_grafico(piano, files.read(nomi.sim), files.read(nomi.dat));
  // With both texts there, their compile in memory gives the entries of
  // the objects and the problems.
  if (!files.exists(nomi.linea_txt) || !files.exists(nomi.treno_txt)) return d;
  const std::string linea = files.read(nomi.linea_txt);
  const std::string treno = files.read(nomi.treno_txt);
  const Analisi a = analizza({nome_linea, numero_treno, true}, {linea, treno});
  associa_origini(d, a.compattazione.modello(),
                  {{nome_file(nomi.linea_txt), linea}, {nome_file(nomi.treno_txt), treno}});
  d.problemi = marcatori(a.problemi);
  return d;
}

}  // namespace scenari::tool
