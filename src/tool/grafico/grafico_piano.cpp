// The plan view of the SVG: the track in true proportion, the stations, the
// kilometre marks and the end of the route, each label placed off the track
// and off the other labels, with a leader line where it had to move away.
#include <algorithm>
#include <cmath>
#include <limits>

#include "tool/grafico/collocatore.h"
#include "tool/grafico/corsie.h"
#include "tool/grafico/grafico_disegno.h"

namespace scenari::tool::disegno {

namespace {

struct Proiezione {
  double scala, ox, oy, xmin, ymin;
  double X(double x) const { return ox + (x - xmin) * scala; }
  double Y(double y) const { return oy - (y - ymin) * scala; }
  double x_di(double X) const { return xmin + (X - ox) / scala; }
  double y_di(double Y) const { return ymin + (oy - Y) / scala; }
};

// Same scale on both axes, the track centred in the area with room around
// it for labels.
Proiezione proiezione(const std::vector<PuntoPiano>& punti, const Area& a) {
  double xmin = std::numeric_limits<double>::max(), xmax = -xmin, ymin = xmin, ymax = -xmin;
  for (const auto& p : punti) {
    xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
  }
  const double margine = 40;
  const double dx = std::max(xmax - xmin, 1.0), dy = std::max(ymax - ymin, 1.0);
  const double scala =
      std::min((a.x1 - a.x0 - 2 * margine) / dx, (a.y1 - a.y0 - 2 * margine) / dy);
  const double ox = (a.x0 + a.x1) / 2 - dx * scala / 2;
  const double oy = (a.y0 + a.y1) / 2 + dy * scala / 2;
  return {scala, ox, oy, xmin, ymin};
}

void assi_piano(Svg& s, const Proiezione& pr, const Area& a) {
  const Attributi centrato = {{"font-size", num(corpo)}, {"text-anchor", "middle"}};
  for (double v : tacche(pr.x_di(a.x0), pr.x_di(a.x1), 10)) {
    const double X = pr.X(v);
    s.elemento("line", {{"x1", num(X)}, {"y1", num(a.y1)}, {"x2", num(X)}, {"y2", num(a.y1 + 5)},
                        {"stroke", colore_testo}});
    s.testo(X, a.y1 + 17, testo_numero(v / 1000), centrato);
  }
  s.testo((a.x0 + a.x1) / 2, a.y1 + 32, "x (km)", centrato);
  for (double v : tacche(pr.y_di(a.y1), pr.y_di(a.y0), 5)) {
    const double Y = pr.Y(v);
    s.elemento("line", {{"x1", num(a.x0 - 5)}, {"y1", num(Y)}, {"x2", num(a.x0)}, {"y2", num(Y)},
                        {"stroke", colore_testo}});
    s.testo(a.x0 - 8, Y + 4, testo_numero(v / 1000),
            {{"font-size", num(corpo)}, {"text-anchor", "end"}});
  }
  testo_verticale(s, margine_sx - 50, (a.y0 + a.y1) / 2, "y (km)");
}

// The point of the track nearest to `metro`, if the plan reaches it.
const PuntoPiano* punto_a(const std::vector<PuntoPiano>& punti, double metro) {
  auto it = std::lower_bound(punti.begin(), punti.end(), metro,
                             [](const PuntoPiano& p, double m) { return p.metro < m; });
  return it == punti.end() ? nullptr : &*it;
}

// A long track is drawn through every n-th point, which on a page a
// thousand pixels wide loses nothing, to keep the file small.
constexpr std::size_t punti_massimi = 100'000;

std::size_t passo(std::size_t punti) { return (punti + punti_massimi - 1) / punti_massimi; }

std::string tracciato(const std::vector<PuntoPiano>& punti, std::size_t da, std::size_t a,
                      const Proiezione& pr) {
  const std::size_t n = passo(a - da);
  std::string d;
  d.reserve((a - da) / n * 16);
  std::size_t scritti = 0;
  auto aggiungi = [&](std::size_t i) {
    d += scritti == 0 ? "M" : scritti == 1 ? " L" : " ";
    d += num(pr.X(punti[i].x)) + "," + num(pr.Y(punti[i].y));
    ++scritti;
  };
  for (std::size_t i = da; i < a; i += n) aggiungi(i);
  if ((a - 1 - da) % n != 0) aggiungi(a - 1);
  return d;
}

std::size_t punti_disegnati(std::size_t punti) {
  const std::size_t n = passo(punti);
  return (punti - 1) / n + 1 + ((punti - 1) % n != 0 ? 1 : 0);
}

// The track keeps labels off it: a small box every few pixels along it.
void occupa_tracciato(Collocatore& c, const std::vector<PuntoPiano>& punti, const Proiezione& pr) {
  double ux = std::numeric_limits<double>::max(), uy = ux;
  for (const auto& p : punti) {
    const double X = pr.X(p.x), Y = pr.Y(p.y);
    if (std::hypot(X - ux, Y - uy) < 4) continue;
    c.occupa({X - 2.5, Y - 2.5, X + 2.5, Y + 2.5});
    ux = X, uy = Y;
  }
}

// A dot on the track with its label; the dots are drawn in layers, so a
// station stays visible over a kilometre mark at the same place.
struct Segno {
  double X, Y;
  std::string classe, colore, testo, titolo;
  double raggio;
  std::optional<Riquadro> etichetta;
};

void colloca_etichetta(Collocatore& c, Segno& g) {
  const double w = larghezza_testo(g.testo, corpo), h = corpo + 3;
  const auto candidati = intorno(g.X, g.Y, w, h);
  if (const auto i = c.colloca(candidati)) g.etichetta = candidati[*i];
}

void disegna_punto(Svg& s, const Segno& g) {
  s.apri("circle", {{"class", g.classe}, {"cx", num(g.X)}, {"cy", num(g.Y)}, {"r", num(g.raggio)},
                    {"fill", g.colore}, {"stroke", "white"}});
  s.apri("title", {});
  s.contenuto(g.titolo);
  s.chiudi("title");
  s.chiudi("circle");
}

void disegna_etichetta(Svg& s, const Segno& g) {
  if (!g.etichetta) return;
  const Riquadro& r = *g.etichetta;
  if (lontano(r, g.X, g.Y)) {
    const auto [ax, ay] = attacco(r, g.X, g.Y);
    s.elemento("line", {{"class", "leader"}, {"x1", num(g.X)}, {"y1", num(g.Y)}, {"x2", num(ax)},
                        {"y2", num(ay)}, {"stroke", g.colore}, {"stroke-width", "0.8"}});
  }
  s.testo(r.x0 + 1, r.y1 - 3.5, g.testo, {{"font-size", num(corpo)}, {"fill", g.colore}});
}

std::vector<Segno> segni(const DatiGrafico& dati, const Proiezione& pr) {
  std::vector<Segno> stazioni, resto;
  auto segno = [&](double metro, const char* classe, const char* colore, std::string testo,
                   std::string titolo, double raggio) -> std::optional<Segno> {
    const PuntoPiano* p = punto_a(dati.piano, metro);
    if (p == nullptr) return std::nullopt;
    return Segno{pr.X(p->x), pr.Y(p->y), classe, colore, std::move(testo), std::move(titolo),
                 raggio, std::nullopt};
  };
  for (const auto& o : dati.oggetti) {
    if (o.genere != Genere::stazione) continue;
    if (auto g = segno(o.posizione, "plan-station", stile(Genere::stazione).colore, o.etichetta,
                       "station " + o.etichetta + " at " + testo_numero(o.posizione) + " m", 4)) {
      stazioni.push_back(std::move(*g));
    }
  }
  if (dati.lunghezza_percorso > 0) {
    if (auto g = segno(dati.lunghezza_percorso, "plan-end", "#555555", "end of route",
                       "end of route at " + testo_numero(dati.lunghezza_percorso) + " m", 3.5)) {
      resto.push_back(std::move(*g));
    }
  }
  for (double km : tacche(0, dati.piano.back().metro, 14)) {
    if (km <= 0 || km == dati.lunghezza_percorso) continue;
    const std::string t = testo_numero(km / 1000) + " km";
    if (auto g = segno(km, "plan-km", "#999999", t, t, 3)) resto.push_back(std::move(*g));
  }
  // Stations take their places first; the marks and their labels give way.
  stazioni.insert(stazioni.end(), resto.begin(), resto.end());
  return stazioni;
}

void evidenzia_tratto(Svg& s, const std::vector<PuntoPiano>& punti, const Proiezione& pr,
                      double da, double a) {
  const auto inizio = std::lower_bound(punti.begin(), punti.end(), da,
                                       [](const PuntoPiano& p, double m) { return p.metro < m; });
  const auto fine = std::upper_bound(punti.begin(), punti.end(), a,
                                     [](double m, const PuntoPiano& p) { return m < p.metro; });
  if (fine - inizio < 2) return;
  s.elemento("path", {{"class", "plan-range"},
                      {"d", tracciato(punti, static_cast<std::size_t>(inizio - punti.begin()),
                                      static_cast<std::size_t>(fine - punti.begin()), pr)},
                      {"fill", "none"}, {"stroke", "#1f77b4"}, {"stroke-opacity", "0.45"},
                      {"stroke-width", "7"}, {"stroke-linecap", "round"}});
}

}  // namespace

void piano(Svg& s, const DatiGrafico& dati, const Area& a, double da, double fino) {
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
  if (da > dati.piano.front().metro || fino < dati.piano.back().metro) {
    evidenzia_tratto(s, dati.piano, pr, da, fino);
  }
  s.elemento("path", {{"id", "plan"}, {"d", tracciato(dati.piano, 0, dati.piano.size(), pr)},
                      {"data-points", std::to_string(punti_disegnati(dati.piano.size()))},
                      {"fill", "none"},
                      {"stroke", "#333333"}, {"stroke-width", "1.6"}, {"stroke-linejoin", "round"}});
  Collocatore c({a.x0 + 2, a.y0 + 2, a.x1 - 2, a.y1 - 2});
  occupa_tracciato(c, dati.piano, pr);
  std::vector<Segno> tutti = segni(dati, pr);
  for (const auto& g : tutti) c.occupa({g.X - g.raggio, g.Y - g.raggio, g.X + g.raggio, g.Y + g.raggio});
  for (auto& g : tutti) colloca_etichetta(c, g);
  // Drawn from the least important up, so a station's dot lies on top.
  for (auto it = tutti.rbegin(); it != tutti.rend(); ++it) disegna_punto(s, *it);
  for (const auto& g : tutti) disegna_etichetta(s, g);
}

}  // namespace scenari::tool::disegno
