#include "tool/grafico/grafico_disegno.h"

#include <cmath>

namespace scenari::tool::disegno {

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

void testo_verticale(Svg& s, double x, double y, std::string_view testo) {
  s.testo(0, 0, testo,
          {{"font-size", num(corpo)}, {"text-anchor", "middle"},
           {"transform", "translate(" + num(x) + " " + num(y) + ") rotate(-90)"}});
}

}  // namespace scenari::tool::disegno
