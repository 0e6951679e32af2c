// The profiles of the SVG, on the distance axis: gradient, speed (the limit
// and the speed in force with slowdowns) and adhesion, each value held over
// the 50 m of its cell.
#include <algorithm>
#include <cmath>

#include "tool/grafico/grafico_disegno.h"

namespace scenari::tool::disegno {

namespace {

struct Profilo {
  const char* classe;
  const char* titolo;
  const char* colore;
};

constexpr Profilo tipi_profilo[3] = {
    {"gradient", "gradient (\u2030)", "#8c564b"},
    {"speed-limit", "speed (km/h)", "#1f77b4"},
    {"adhesion", "adhesion", "#2ca02c"},
};

// One value per cell.
std::vector<int> valori_profilo(const std::vector<cella>& celle, int i) {
  std::vector<int> v(celle.size());
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    v[k] = i == 0   ? pendenza_per_mille(c.pendenza)
           : i == 1 ? velocita_kmh(c.velocita_limite)
                    : c.aderenza;
  }
  return v;
}

// The cells of the profile that the distance axis shows.
struct Celle {
  std::size_t da, a;
};

Celle celle_visibili(std::size_t n, const Asse& distanza) {
  const auto da = static_cast<std::size_t>(std::max(0.0, std::floor(distanza.v0 / metri_per_cella)));
  const auto a = static_cast<std::size_t>(std::max(0.0, std::ceil(distanza.v1 / metri_per_cella)));
  return {std::min(da, n), std::min(a, n)};
}

// The cell values as steps: each holds over the 50 m of its cell.
std::string gradini(const std::vector<int>& v, Celle celle, const Asse& distanza, const Asse& valori) {
  auto X = [&](std::size_t k) {
    return distanza.a(std::clamp(static_cast<double>(k) * metri_per_cella, distanza.v0, distanza.v1));
  };
  std::string d = "M" + num(X(celle.da)) + "," + num(valori.a(v[celle.da]));
  for (std::size_t k = celle.da + 1; k <= celle.a; ++k) {
    const double prima = valori.a(v[k - 1]);
    if (k == celle.a) {
      d += " L" + num(X(k)) + "," + num(prima);
    } else if (v[k] != v[k - 1]) {
      d += " L" + num(X(k)) + "," + num(prima) + " L" + num(X(k)) + "," + num(valori.a(v[k]));
    }
  }
  return d;
}

// The stretch at the end whose cells hold no profile values.
void coda_vuota(Svg& s, const Asse& distanza, std::size_t n, double alto) {
  const double X = distanza.a(std::max(static_cast<double>(n) * metri_per_cella, distanza.v0));
  if (X >= distanza.p1) return;
  s.elemento("rect", {{"x", num(X)}, {"y", num(alto)}, {"width", num(distanza.p1 - X)},
                      {"height", num(altezza_profilo)}, {"fill", "#eeeeee"}});
}

void cornice_profilo(Svg& s, const Profilo& p, double alto, const Asse& distanza, const Asse& valori,
                     double minimo, double massimo) {
  s.elemento("rect", {{"x", num(distanza.p0)}, {"y", num(alto)},
                      {"width", num(distanza.p1 - distanza.p0)},
                      {"height", num(altezza_profilo)}, {"fill", "none"}, {"stroke", "#bbbbbb"}});
  for (double v : tacche(minimo, massimo, 4)) {
    const double Y = valori.a(v);
    s.elemento("line", {{"x1", num(distanza.p0)}, {"y1", num(Y)}, {"x2", num(distanza.p1)},
                        {"y2", num(Y)}, {"stroke", v == 0 ? "#999999" : colore_griglia}});
    s.testo(distanza.p0 - 6, Y + 4, testo_numero(v),
            {{"font-size", num(corpo)}, {"text-anchor", "end"}});
  }
  testo_verticale(s, margine_sx - 62, alto + altezza_profilo / 2, p.titolo);
}

void profilo(Svg& s, const DatiGrafico& dati, int i, double alto, const Asse& distanza) {
  if (dati.celle.empty()) return;
  const std::size_t n = celle_con_profilo(dati.celle);
  const Celle celle = celle_visibili(n, distanza);
  const std::vector<int> v = valori_profilo(dati.celle, i);
  const std::vector<int> effettiva = i == 1 ? velocita_effettiva(dati.celle) : std::vector<int>{};
  double minimo = 0, massimo = 0;
  for (std::size_t k = celle.da; k < celle.a; ++k) {
    minimo = std::min(minimo, static_cast<double>(v[k]));
    massimo = std::max(massimo, static_cast<double>(v[k]));
  }
  if (massimo == minimo) massimo = minimo + 1;
  const double margine = (massimo - minimo) * 0.08;
  const Asse valori{minimo - margine, massimo + margine, alto + altezza_profilo, alto};
  const Profilo& p = tipi_profilo[i];
  cornice_profilo(s, p, alto, distanza, valori, minimo, massimo);
  coda_vuota(s, distanza, n, alto);
  if (celle.a <= celle.da) return;
  s.elemento("path", {{"class", std::string("profile ") + p.classe},
                      {"d", gradini(v, celle, distanza, valori)}, {"fill", "none"},
                      {"stroke", p.colore}, {"stroke-width", "1.8"}});
  if (!effettiva.empty()) {
    s.elemento("path", {{"class", "profile effective-speed"},
                        {"d", gradini(effettiva, celle, distanza, valori)}, {"fill", "none"},
                        {"stroke", "#d62728"}, {"stroke-width", "1.4"}, {"stroke-dasharray", "4,2"}});
  }
}

}  // namespace

void profili(Svg& s, const DatiGrafico& dati, double alto, const Asse& distanza) {
  for (int i = 0; i < 3; ++i) profilo(s, dati, i, alto + i * (altezza_profilo + spazio_profili), distanza);
}

}  // namespace scenari::tool::disegno
