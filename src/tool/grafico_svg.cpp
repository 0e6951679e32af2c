// Drawing of the plot: plan view, object lanes, three profiles, distance
// axis and legend, all laid out on one fixed-width page.
#include <algorithm>
#include <cmath>
#include <limits>

#include "tool/collocatore.h"
#include "tool/grafico.h"
#include "tool/svg.h"

namespace scenari::tool {

namespace {

constexpr double larghezza = 1200;
constexpr double margine_sx = 120;
constexpr double margine_dx = 40;
constexpr double corpo = 11;
constexpr double metri_per_cella = 50;

const std::string colore_griglia = "#dddddd";
const std::string colore_testo = "#222222";

struct Area {
  double x0, y0, x1, y1;
};

// A linear map from data values to page coordinates.
struct Asse {
  double v0, v1, p0, p1;
  double a(double v) const { return p0 + (v - v0) / (v1 - v0) * (p1 - p0); }
};

// Layout of the page, top to bottom.
constexpr Area area_piano{margine_sx, 60, larghezza - margine_dx, 370};
constexpr double inizio_corsie = 420;
constexpr double altezza_corsia = 46;
constexpr int numero_corsie = 5;
constexpr double altezza_profilo = 100;
constexpr double spazio_profili = 24;
constexpr double inizio_profili = inizio_corsie + numero_corsie * altezza_corsia + 16;
constexpr double fine_profili = inizio_profili + 3 * altezza_profilo + 2 * spazio_profili;
constexpr double altezza_pagina = fine_profili + 110;

// Ticks at 1, 2 or 5 times a power of ten, about `quante` of them.
std::vector<double> tacche(double minimo, double massimo, int quante) {
  const double grezzo = (massimo - minimo) / quante;
  if (!(grezzo > 0) || !std::isfinite(grezzo)) return {minimo};
  const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
  double passo = potenza;
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    passo = f * potenza;
    if (passo >= grezzo) break;
  }
  std::vector<double> valori;
  for (double v = std::ceil(minimo / passo) * passo; v <= massimo + passo * 1e-9; v += passo) {
    valori.push_back(std::abs(v) < passo * 1e-9 ? 0 : v);
  }
  return valori;
}

std::string testo_numero(double v) {
  std::string t = num(v);
  while (t.back() == '0') t.pop_back();
  if (t.back() == '.') t.pop_back();
  return t;
}

// A label read bottom to top, centred on (x, y).
void testo_verticale(Svg& s, double x, double y, std::string_view testo) {
  s.testo(0, 0, testo,
          {{"font-size", num(corpo)}, {"text-anchor", "middle"},
           {"transform", "translate(" + num(x) + " " + num(y) + ") rotate(-90)"}});
}

// ---- plan view ----

struct Proiezione {
  double scala, ox, oy, xmin, ymin;
  double X(double x) const { return ox + (x - xmin) * scala; }
  double Y(double y) const { return oy - (y - ymin) * scala; }
  double x_di(double X) const { return xmin + (X - ox) / scala; }
  double y_di(double Y) const { return ymin + (oy - Y) / scala; }
};

// Same scale on both axes, the track centred in the area.
Proiezione proiezione(const std::vector<PuntoPiano>& punti, const Area& a) {
  double xmin = std::numeric_limits<double>::max(), xmax = -xmin, ymin = xmin, ymax = -xmin;
  for (const auto& p : punti) {
    xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
  }
  const double margine = 30;
  const double dx = std::max(xmax - xmin, 1.0), dy = std::max(ymax - ymin, 1.0);
  const double scala =
      std::min((a.x1 - a.x0 - 2 * margine) / dx, (a.y1 - a.y0 - 2 * margine) / dy);
  const double ox = (a.x0 + a.x1) / 2 - dx * scala / 2;
  const double oy = (a.y0 + a.y1) / 2 + dy * scala / 2;
  return {scala, ox, oy, xmin, ymin};
}

void assi_piano(Svg& s, const Proiezione& pr, const Area& a) {
  const double x0 = pr.x_di(a.x0), x1 = pr.x_di(a.x1);
  for (double v : tacche(x0, x1, 10)) {
    const double X = pr.X(v);
    s.elemento("line", {{"x1", num(X)}, {"y1", num(a.y1)}, {"x2", num(X)}, {"y2", num(a.y1 + 5)},
                        {"stroke", colore_testo}});
    s.testo(X, a.y1 + 17, testo_numero(v / 1000), {{"font-size", num(corpo)}, {"text-anchor", "middle"}});
  }
  s.testo((a.x0 + a.x1) / 2, a.y1 + 32, "x (km)", {{"font-size", num(corpo)}, {"text-anchor", "middle"}});
  const double y0 = pr.y_di(a.y1), y1 = pr.y_di(a.y0);
  for (double v : tacche(y0, y1, 5)) {
    const double Y = pr.Y(v);
    s.elemento("line", {{"x1", num(a.x0 - 5)}, {"y1", num(Y)}, {"x2", num(a.x0)}, {"y2", num(Y)},
                        {"stroke", colore_testo}});
    s.testo(a.x0 - 8, Y + 4, testo_numero(v / 1000), {{"font-size", num(corpo)}, {"text-anchor", "end"}});
  }
  const double yc = (a.y0 + a.y1) / 2;
  testo_verticale(s, margine_sx - 50, yc, "y (km)");
}

// The point of the track nearest to `metro`, if the plan reaches it.
const PuntoPiano* punto_a(const std::vector<PuntoPiano>& punti, double metro) {
  auto it = std::lower_bound(punti.begin(), punti.end(), metro,
                             [](const PuntoPiano& p, double m) { return p.metro < m; });
  if (it == punti.end()) return nullptr;
  return &*it;
}

// A label beside a point of the plan, off the track: above or below where
// the track runs across the page, right or left where it runs down it; the
// first side that hides no other label.
void etichetta_piano(Svg& s, Collocatore& c, double X, double Y, bool traverso,
                     const std::string& testo, const std::string& colore) {
  const double w = larghezza_testo(testo, corpo), h = corpo + 2;
  const Riquadro destra{X + 6, Y - h / 2, X + 6 + w, Y + h / 2};
  const Riquadro sinistra{X - 6 - w, Y - h / 2, X - 6, Y + h / 2};
  const Riquadro sopra{X - w / 2, Y - 8 - h, X + w / 2, Y - 8};
  const Riquadro sotto{X - w / 2, Y + 8, X + w / 2, Y + 8 + h};
  const Riquadro per_traverso[] = {sopra, sotto, destra, sinistra};
  const Riquadro per_verticale[] = {destra, sinistra, sopra, sotto};
  const auto& candidati = traverso ? per_traverso : per_verticale;
  if (const auto i = c.colloca(candidati)) {
    const Riquadro& r = candidati[*i];
    s.testo(r.x0, r.y1 - 3, testo, {{"font-size", num(corpo)}, {"fill", colore}});
  }
}

// Whether the track near `p` runs more across the page than down it.
bool traverso(const std::vector<PuntoPiano>& punti, const PuntoPiano& p) {
  const PuntoPiano* vicino = punto_a(punti, p.metro + 20);
  if (vicino == nullptr || vicino->metro == p.metro) vicino = &punti.front();
  return std::abs(vicino->x - p.x) >= std::abs(vicino->y - p.y);
}

void marca_piano(Svg& s, Collocatore& c, const Proiezione& pr, const std::vector<PuntoPiano>& punti,
                 const PuntoPiano& p, const std::string& classe, const std::string& colore,
                 const std::string& testo) {
  const double X = pr.X(p.x), Y = pr.Y(p.y);
  s.elemento("circle", {{"class", classe}, {"cx", num(X)}, {"cy", num(Y)}, {"r", "3.5"},
                        {"fill", colore}, {"stroke", "white"}});
  c.occupa({X - 4, Y - 4, X + 4, Y + 4});
  etichetta_piano(s, c, X, Y, traverso(punti, p), testo, colore);
}

void tracciato(Svg& s, const std::vector<PuntoPiano>& punti, const Proiezione& pr) {
  std::string d;
  d.reserve(punti.size() * 16);
  for (std::size_t i = 0; i < punti.size(); ++i) {
    d += (i == 0 ? "M" : i == 1 ? " L" : " ");
    d += num(pr.X(punti[i].x)) + "," + num(pr.Y(punti[i].y));
  }
  s.elemento("path", {{"id", "plan"}, {"d", d}, {"data-points", std::to_string(punti.size())},
                      {"fill", "none"}, {"stroke", "#333333"}, {"stroke-width", "1.6"},
                      {"stroke-linejoin", "round"}});
}

void piano(Svg& s, const DatiGrafico& dati) {
  const Area& a = area_piano;
  s.testo(a.x0, a.y0 - 8, "Plan view", {{"font-size", "13"}, {"font-weight", "bold"}});
  s.elemento("rect", {{"x", num(a.x0)}, {"y", num(a.y0)}, {"width", num(a.x1 - a.x0)},
                      {"height", num(a.y1 - a.y0)}, {"fill", "none"}, {"stroke", colore_griglia}});
  if (dati.piano.size() < 2) {
    const std::string motivo = dati.ha_piano ? "the plan geometry file holds no track"
                                             : "no plan geometry file (compiled with --no-plan)";
    s.testo((a.x0 + a.x1) / 2, (a.y0 + a.y1) / 2, motivo,
            {{"font-size", "13"}, {"text-anchor", "middle"}, {"fill", "#888888"}});
    return;
  }
  const Proiezione pr = proiezione(dati.piano, a);
  assi_piano(s, pr, a);
  tracciato(s, dati.piano, pr);
  Collocatore c;
  for (const auto& o : dati.oggetti) {
    if (o.genere != Genere::stazione) continue;
    if (const auto* p = punto_a(dati.piano, (o.inizio + o.fine) / 2)) {
      marca_piano(s, c, pr, dati.piano, *p, "plan-station", "#2ca02c", o.etichetta);
    }
  }
  const double fine = dati.piano.back().metro;
  for (double km : tacche(0, fine, 14)) {
    if (km <= 0 || km == dati.lunghezza_percorso) continue;
    if (const auto* p = punto_a(dati.piano, km)) {
      marca_piano(s, c, pr, dati.piano, *p, "plan-km", "#999999", testo_numero(km / 1000) + " km");
    }
  }
  // Last, so that it gives way to the distance labels around it.
  if (const auto* p = punto_a(dati.piano, dati.lunghezza_percorso); p && dati.lunghezza_percorso > 0) {
    marca_piano(s, c, pr, dati.piano, *p, "plan-end", "#555555", "end of route");
  }
}

// ---- objects on the distance axis ----

struct StileGenere {
  const char* classe;
  const char* colore;
  int corsia;
};

StileGenere stile(Genere g) {
  switch (g) {
    case Genere::segnale: return {"signal", "#d62728", 0};
    case Genere::rallentamento: return {"slowdown", "#ff7f0e", 1};
    case Genere::avviso: return {"warning-board", "#ff7f0e", 1};
    case Genere::cartello_velocita: return {"speed-board", "#1f77b4", 2};
    case Genere::cartello: return {"text-board", "#9467bd", 3};
    case Genere::stazione: return {"station", "#2ca02c", 4};
  }
  return {"object", "#000000", 0};
}

constexpr const char* nomi_corsie[numero_corsie] = {"signals", "slowdowns", "speed boards",
                                                    "text boards", "stations"};

double centro_corsia(int corsia) { return inizio_corsie + corsia * altezza_corsia + 33; }

// The shape of one kind, centred on (X, Y); X1 is the end of a ranged object.
void forma(Svg& s, Genere g, double X, double X1, double Y) {
  const std::string colore = stile(g).colore;
  auto poligono = [&](std::initializer_list<std::pair<double, double>> punti) {
    std::string p;
    for (const auto& [x, y] : punti) p += num(x) + "," + num(y) + " ";
    s.elemento("polygon", {{"points", p}, {"fill", colore}});
  };
  switch (g) {
    case Genere::segnale: poligono({{X - 5, Y + 5}, {X + 5, Y + 5}, {X, Y - 6}}); break;
    case Genere::avviso: poligono({{X - 5, Y - 5}, {X + 5, Y - 5}, {X, Y + 6}}); break;
    case Genere::cartello: poligono({{X, Y - 6}, {X + 6, Y}, {X, Y + 6}, {X - 6, Y}}); break;
    case Genere::cartello_velocita:
      s.elemento("rect", {{"x", num(X - 4.5)}, {"y", num(Y - 4.5)}, {"width", "9"},
                          {"height", "9"}, {"fill", colore}});
      break;
    case Genere::rallentamento:
    case Genere::stazione:
      s.elemento("rect", {{"x", num(X)}, {"y", num(Y - 4)}, {"width", num(std::max(X1 - X, 3.0))},
                          {"height", "8"}, {"fill", colore}});
      break;
  }
}

// Labels go on the first of two rows above the marker where they hide no
// other label; a label that fits neither is left out (the marker's tooltip
// still carries it).
void etichetta_corsia(Svg& s, Collocatore& c, double X, int corsia, const std::string& testo,
                      const std::string& colore, const Area& limiti) {
  if (testo.empty()) return;
  const double w = larghezza_testo(testo, corpo);
  const double x0 = std::clamp(X - w / 2, limiti.x0, limiti.x1 - w);
  const double alto = inizio_corsie + corsia * altezza_corsia;
  Riquadro candidati[2];
  for (int riga = 0; riga < 2; ++riga) {
    const double base = alto + 12 + riga * 12;
    candidati[riga] = {x0 - 2, base - corpo + 1, x0 + w + 2, base + 1};
  }
  if (const auto i = c.colloca(candidati)) {
    s.testo(x0, candidati[*i].y1 - 1, testo, {{"font-size", num(corpo)}, {"fill", colore}});
  }
}

void corsie(Svg& s, const DatiGrafico& dati, const Asse& distanza) {
  const Area limiti{distanza.p0, 0, distanza.p1, 0};
  for (int i = 0; i < numero_corsie; ++i) {
    const double y = centro_corsia(i);
    s.elemento("line", {{"x1", num(distanza.p0)}, {"y1", num(y)}, {"x2", num(distanza.p1)},
                        {"y2", num(y)}, {"stroke", colore_griglia}});
    s.testo(distanza.p0 - 8, y + 4, nomi_corsie[i],
            {{"font-size", num(corpo)}, {"text-anchor", "end"}, {"fill", colore_testo}});
  }
  Collocatore c;
  for (const auto& o : dati.oggetti) {
    const StileGenere st = stile(o.genere);
    const double X = distanza.a(std::clamp(o.inizio, distanza.v0, distanza.v1));
    const double X1 = distanza.a(std::clamp(o.fine, distanza.v0, distanza.v1));
    s.apri("g", {{"class", std::string("marker ") + st.classe},
                 {"data-position", testo_numero(o.inizio)}});
    s.apri("title", {});
    s.contenuto(std::string(st.classe) + " at " + testo_numero(o.inizio) + " m" +
                (o.etichetta.empty() ? "" : ": " + o.etichetta));
    s.chiudi("title");
    forma(s, o.genere, X, X1, centro_corsia(st.corsia));
    s.chiudi("g");
    etichetta_corsia(s, c, (X + X1) / 2, st.corsia, o.etichetta, st.colore, limiti);
  }
}

// ---- profiles and the distance axis ----

struct Profilo {
  const char* classe;
  const char* titolo;
  const char* colore;
  int (*valore)(const cella&);
};

constexpr Profilo profili[3] = {
    {"gradient", "gradient (\u2030)", "#8c564b", [](const cella& c) { return c.pendenza - 100; }},
    {"speed-limit", "speed limit (km/h)", "#1f77b4",
     [](const cella& c) { return c.velocita_limite * 5; }},
    {"adhesion", "adhesion", "#2ca02c", [](const cella& c) { return +c.aderenza; }},
};

// The cells that carry profile values: the fills leave the last few with
// every profile byte 0, which would read as -100 per mille and 0 km/h.
std::size_t celle_con_profilo(const std::vector<cella>& celle) {
  std::size_t n = celle.size();
  while (n > 1 && celle[n - 1].pendenza == 0 && celle[n - 1].velocita_limite == 0 &&
         celle[n - 1].aderenza == 0) {
    --n;
  }
  return n;
}

// The cell values as steps: each holds over the 50 m of its cell.
std::string gradini(const std::vector<cella>& celle, std::size_t n, const Profilo& p,
                    const Asse& distanza, const Asse& valori) {
  std::string d = "M" + num(distanza.a(0)) + "," + num(valori.a(p.valore(celle[0])));
  for (std::size_t k = 1; k <= n; ++k) {
    const double X = distanza.a(static_cast<double>(k) * metri_per_cella);
    const double prima = valori.a(p.valore(celle[k - 1]));
    if (k == n) {
      d += " L" + num(X) + "," + num(prima);
    } else if (p.valore(celle[k]) != p.valore(celle[k - 1])) {
      d += " L" + num(X) + "," + num(prima) + " L" + num(X) + "," + num(valori.a(p.valore(celle[k])));
    }
  }
  return d;
}

// The stretch at the end whose cells hold no profile values.
void coda_vuota(Svg& s, const Asse& distanza, std::size_t n, double alto) {
  const double X = distanza.a(static_cast<double>(n) * metri_per_cella);
  if (X >= distanza.p1) return;
  s.elemento("rect", {{"x", num(X)}, {"y", num(alto)}, {"width", num(distanza.p1 - X)},
                      {"height", num(altezza_profilo)}, {"fill", "#eeeeee"}});
}

void profilo(Svg& s, const DatiGrafico& dati, const Profilo& p, double alto, const Asse& distanza) {
  if (dati.celle.empty()) return;
  const std::size_t n = celle_con_profilo(dati.celle);
  double minimo = 0, massimo = 0;
  for (std::size_t k = 0; k < n; ++k) {
    minimo = std::min(minimo, static_cast<double>(p.valore(dati.celle[k])));
    massimo = std::max(massimo, static_cast<double>(p.valore(dati.celle[k])));
  }
  if (massimo == minimo) massimo = minimo + 1;
  const double margine = (massimo - minimo) * 0.08;
  const Asse valori{minimo - margine, massimo + margine, alto + altezza_profilo, alto};
  s.elemento("rect", {{"x", num(distanza.p0)}, {"y", num(alto)},
                      {"width", num(distanza.p1 - distanza.p0)},
                      {"height", num(altezza_profilo)}, {"fill", "none"}, {"stroke", "#bbbbbb"}});
  coda_vuota(s, distanza, n, alto);
  for (double v : tacche(minimo, massimo, 4)) {
    const double Y = valori.a(v);
    s.elemento("line", {{"x1", num(distanza.p0)}, {"y1", num(Y)}, {"x2", num(distanza.p1)},
                        {"y2", num(Y)}, {"stroke", v == 0 ? "#999999" : colore_griglia}});
    s.testo(distanza.p0 - 6, Y + 4, testo_numero(v),
            {{"font-size", num(corpo)}, {"text-anchor", "end"}});
  }
  const double yc = alto + altezza_profilo / 2;
  testo_verticale(s, margine_sx - 62, yc, p.titolo);
  s.elemento("path", {{"class", std::string("profile ") + p.classe},
                      {"d", gradini(dati.celle, n, p, distanza, valori)}, {"fill", "none"},
                      {"stroke", p.colore}, {"stroke-width", "1.8"}});
}

void asse_distanza(Svg& s, const DatiGrafico& dati, const Asse& distanza) {
  const double basso = fine_profili;
  for (double v : tacche(distanza.v0, distanza.v1, 14)) {
    const double X = distanza.a(v);
    s.elemento("line", {{"x1", num(X)}, {"y1", num(inizio_corsie + 8)}, {"x2", num(X)},
                        {"y2", num(basso + 5)}, {"stroke", colore_griglia}});
    s.testo(X, basso + 18, testo_numero(v / 1000),
            {{"font-size", num(corpo)}, {"text-anchor", "middle"}});
  }
  s.testo((distanza.p0 + distanza.p1) / 2, basso + 36, "distance from the start of the route (km)",
          {{"font-size", num(corpo)}, {"text-anchor", "middle"}});
  if (dati.lunghezza_percorso > 0 && dati.lunghezza_percorso < distanza.v1) {
    const double X = distanza.a(dati.lunghezza_percorso);
    s.elemento("line", {{"class", "route-end"}, {"x1", num(X)}, {"y1", num(inizio_corsie)},
                        {"x2", num(X)}, {"y2", num(basso)}, {"stroke", "#555555"},
                        {"stroke-dasharray", "5,4"}});
    s.testo(X + 4, inizio_corsie + 4, "end of route (track beyond it added for the simulator)",
            {{"font-size", num(corpo)}, {"fill", "#555555"}});
  }
}

// One legend entry: its symbol drawn by `simbolo` at (x, y), then its name.
// Entries wrap to a second row at the right margin.
class Legenda {
 public:
  explicit Legenda(Svg& s) : s_(s) {
    s_.testo(margine_sx, y_ + 4, "Legend:", {{"font-size", num(corpo)}, {"font-weight", "bold"}});
  }
  template <typename Simbolo>
  void voce(const char* nome, Simbolo simbolo) {
    const double w = 20 + larghezza_testo(nome, corpo) + 18;
    if (x_ + w > larghezza - margine_dx) {
      x_ = margine_sx + 60;
      y_ += 20;
    }
    simbolo(x_, y_);
    s_.testo(x_ + 20, y_ + 4, nome, {{"font-size", num(corpo)}});
    x_ += w;
  }

 private:
  Svg& s_;
  double x_ = margine_sx + 60;
  double y_ = fine_profili + 60;
};

void legenda(Svg& s) {
  Legenda l(s);
  const std::pair<Genere, const char*> voci[] = {
      {Genere::segnale, "signal"},          {Genere::rallentamento, "slowdown"},
      {Genere::avviso, "warning board"},    {Genere::cartello_velocita, "speed board (s-side km/h)"},
      {Genere::cartello, "text board"},     {Genere::stazione, "station platform"}};
  for (const auto& [g, nome] : voci) {
    l.voce(nome, [&, g = g](double x, double y) { forma(s, g, x, x + 14, y); });
  }
  l.voce("end of route", [&](double x, double y) {
    s.elemento("line", {{"x1", num(x)}, {"y1", num(y)}, {"x2", num(x + 16)}, {"y2", num(y)},
                        {"stroke", "#555555"}, {"stroke-dasharray", "5,4"}});
  });
  l.voce("cells without profile values", [&](double x, double y) {
    s.elemento("rect", {{"x", num(x)}, {"y", num(y - 5)}, {"width", "14"}, {"height", "10"},
                        {"fill", "#eeeeee"}, {"stroke", "#bbbbbb"}});
  });
}

}  // namespace

std::string disegna_svg(const DatiGrafico& dati) {
  Svg s(larghezza, altezza_pagina);
  s.testo(margine_sx, 30, dati.titolo, {{"font-size", "18"}, {"font-weight", "bold"}});
  piano(s, dati);
  const double ultimo = std::max(1.0, static_cast<double>(dati.celle.size()) - 1) * metri_per_cella;
  const Asse distanza{0, ultimo, margine_sx, larghezza - margine_dx};
  asse_distanza(s, dati, distanza);
  corsie(s, dati, distanza);
  for (int i = 0; i < 3; ++i) {
    profilo(s, dati, profili[i], inizio_profili + i * (altezza_profilo + spazio_profili), distanza);
  }
  legenda(s);
  return s.documento();
}

}  // namespace scenari::tool
