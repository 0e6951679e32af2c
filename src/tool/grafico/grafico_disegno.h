// What the SVG's parts share: page geometry, value-to-page maps, ticks and
// number texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tool/grafico/grafico.h"
#include "tool/grafico/svg.h"

namespace scenari::tool::disegno {

constexpr double larghezza = 1200;
constexpr double margine_sx = 120;
constexpr double margine_dx = 40;
constexpr double corpo = 11;

constexpr double altezza_profilo = 100;
constexpr double spazio_profili = 24;
constexpr double altezza_profili = 3 * altezza_profilo + 2 * spazio_profili;

inline const std::string colore_griglia = "#dddddd";
inline const std::string colore_testo = "#222222";

struct Area {
  double x0, y0, x1, y1;
};

// A linear map from data values to page coordinates.
struct Asse {
  double v0, v1, p0, p1;
  double a(double v) const { return p0 + (v - v0) / (v1 - v0) * (p1 - p0); }
};

// Ticks at 1, 2 or 5 times a power of ten, about `quante` of them.
std::vector<double> tacche(double minimo, double massimo, int quante);

// A number without trailing zeros: "1.5", "2", "-0.25".
std::string testo_numero(double v);

// A label read bottom to top, centred on (x, y).
void testo_verticale(Svg& s, double x, double y, std::string_view testo);

// The plan view in `area`, with the stretch from `da` to `a` metres drawn
// over the track when it is not the whole route.
void piano(Svg& s, const DatiGrafico& dati, const Area& area, double da, double a);

// The three profiles, one below the other from `alto`.
void profili(Svg& s, const DatiGrafico& dati, double alto, const Asse& distanza);

}  // namespace scenari::tool::disegno
