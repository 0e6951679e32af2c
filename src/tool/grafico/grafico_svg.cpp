// Drawing of the plot: plan view, object lanes, three profiles, distance
// axis and legend, all laid out on one fixed-width page.
#include <algorithm>
#include <cmath>

#include "tool/grafico/collocatore.h"
#include "tool/grafico/corsie.h"
#include "tool/grafico/grafico_disegno.h"

namespace scenari::tool {

using namespace disegno;

namespace {

// ---- lanes: one row per kind of object, on the distance axis ----

constexpr int numero_corsie = static_cast<int>(std::size(corsie_oggetti));
constexpr int corsia_problemi = numero_corsie - 1;

double altezza_corsia(int i) { return corsie_oggetti[i].etichette ? 40 : 22; }

// Layout of the page, top to bottom.
constexpr Area area_piano{margine_sx, 60, larghezza - margine_dx, 380};
constexpr double inizio_corsie = 430;

double alto_corsia(int i) {
  double y = inizio_corsie;
  for (int k = 0; k < i; ++k) y += altezza_corsia(k);
  return y;
}
double centro_corsia(int i) { return alto_corsia(i) + altezza_corsia(i) - 10; }
const double inizio_profili = alto_corsia(numero_corsie) + 16;
const double fine_profili = inizio_profili + altezza_profili;
const double altezza_pagina = fine_profili + 130;

void poligono(Svg& s, std::initializer_list<std::pair<double, double>> punti, const std::string& riempimento,
              const std::string& bordo) {
  std::string p;
  for (const auto& [x, y] : punti) p += num(x) + "," + num(y) + " ";
  s.elemento("polygon", {{"points", p}, {"fill", riempimento}, {"stroke", bordo}});
}

// The shape of one kind, centred on (X, Y); X1 is the end of a ranged
// object. A protection point the compactor placed is drawn hollow.
void forma(Svg& s, Genere g, double X, double X1, double Y, bool del_compattatore = false) {
  const std::string colore = stile(g).colore;
  switch (stile(g).forma) {
    case Forma::triangolo: poligono(s, {{X - 5, Y + 5}, {X + 5, Y + 5}, {X, Y - 6}}, colore, "none"); break;
    case Forma::triangolo_rovescio: poligono(s, {{X - 5, Y - 5}, {X + 5, Y - 5}, {X, Y + 6}}, colore, "none"); break;
    case Forma::rombo:
      poligono(s, {{X, Y - 6}, {X + 6, Y}, {X, Y + 6}, {X - 6, Y}}, colore, "none");
      break;
    case Forma::rombo_stretto: poligono(s, {{X, Y - 7}, {X + 4, Y}, {X, Y + 7}, {X - 4, Y}}, colore, "white"); break;
    case Forma::cerchio:
      s.elemento("circle", {{"cx", num(X)}, {"cy", num(Y)}, {"r", "3.5"},
                            {"fill", del_compattatore ? "white" : colore}, {"stroke", colore},
                            {"stroke-width", "1.5"}});
      break;
    case Forma::cella:
      s.elemento("rect", {{"x", num(X)}, {"y", num(Y - 5)}, {"width", num(std::max(X1 - X, 1.0))},
                          {"height", "10"}, {"fill", colore}, {"fill-opacity", "0.6"}});
      break;
    case Forma::tacca:
      s.elemento("rect", {{"x", num(X - 0.75)}, {"y", num(Y - 7)}, {"width", "1.5"}, {"height", "14"},
                          {"fill", colore}});
      break;
    case Forma::quadrato:
      s.elemento("rect", {{"x", num(X - 4.5)}, {"y", num(Y - 4.5)}, {"width", "9"},
                          {"height", "9"}, {"fill", colore}});
      break;
    case Forma::barra:
    case Forma::fascia:
      s.elemento("rect", {{"x", num(X)}, {"y", num(Y - 4)}, {"width", num(std::max(X1 - X, 3.0))},
                          {"height", "8"}, {"fill", colore}});
      break;
  }
}

// Labels go on the first of two rows above the marker where they hide no
// other label; a label that fits neither is left out (the marker's tooltip
// still carries it).
void etichetta_corsia(Svg& s, Collocatore& c, double X, int corsia, const std::string& testo,
                      const std::string& colore, const Asse& distanza) {
  if (testo.empty() || !corsie_oggetti[corsia].etichette) return;
  const double w = larghezza_testo(testo, corpo);
  const double x0 = std::clamp(X - w / 2, distanza.p0, distanza.p1 - w);
  const double alto = alto_corsia(corsia);
  Riquadro candidati[2];
  for (int riga = 0; riga < 2; ++riga) {
    const double base = alto + 11 + riga * 11;
    candidati[riga] = {x0 - 2, base - corpo + 1, x0 + w + 2, base + 1};
  }
  if (const auto i = c.colloca(candidati)) {
    s.testo(x0, candidati[*i].y1 - 1, testo, {{"font-size", num(corpo)}, {"fill", colore}});
  }
}

std::string titolo_oggetto(const Oggetto& o) {
  std::string t = std::string(stile(o.genere).nome) + " at " + testo_numero(o.posizione) + " m";
  if (!o.etichetta.empty()) t += ": " + o.etichetta;
  if (!o.valori.empty()) t += " (" + o.valori + ")";
  if (o.origine) {
    t += "\n" + o.origine->file + ":" + std::to_string(o.origine->riga) + ": " + o.origine->voce;
  } else if (o.genere == Genere::abbattimento) {
    t += "\nplaced by the compactor";
  }
  return t;
}

bool visibile(double inizio, double fine, const Asse& distanza) {
  return fine >= distanza.v0 && inizio <= distanza.v1;
}

void righe_corsie(Svg& s, const Asse& distanza) {
  for (int i = 0; i < numero_corsie; ++i) {
    const double y = centro_corsia(i);
    s.elemento("line", {{"x1", num(distanza.p0)}, {"y1", num(y)}, {"x2", num(distanza.p1)},
                        {"y2", num(y)}, {"stroke", colore_griglia}});
    s.testo(distanza.p0 - 8, y + 4, corsie_oggetti[i].nome,
            {{"font-size", num(corpo)}, {"text-anchor", "end"}, {"fill", colore_testo}});
  }
}

void corsie(Svg& s, const DatiGrafico& dati, const Asse& distanza) {
  righe_corsie(s, distanza);
  Collocatore c;
  for (const auto& o : dati.oggetti) {
    if (!visibile(o.inizio, o.fine, distanza)) continue;
    const StileGenere& st = stile(o.genere);
    const double X = distanza.a(std::clamp(o.inizio, distanza.v0, distanza.v1));
    const bool cella = st.forma == Forma::cella;
    const double X1 = cella ? distanza.a(std::min(o.inizio + metri_per_cella, distanza.v1))
                          : distanza.a(std::clamp(o.fine, distanza.v0, distanza.v1));
    s.apri("g", {{"class", std::string("marker ") + st.classe},
                 {"data-position", testo_numero(o.posizione)}});
    s.apri("title", {});
    s.contenuto(titolo_oggetto(o));
    s.chiudi("title");
    forma(s, o.genere, X, X1, centro_corsia(st.corsia),
          o.genere == Genere::abbattimento && !o.origine);
    s.chiudi("g");
    etichetta_corsia(s, c, (X + X1) / 2, st.corsia, o.etichetta, st.colore, distanza);
  }
}

void problemi(Svg& s, const DatiGrafico& dati, const Asse& distanza) {
  const double Y = centro_corsia(corsia_problemi);
  for (const auto& p : dati.problemi) {
    if (!p.posizione || !visibile(*p.posizione, *p.posizione, distanza)) continue;
    const bool errore = p.gravita == Gravita::errore;
    const double X = distanza.a(*p.posizione);
    s.apri("g", {{"class", errore ? "problem error" : "problem warning"},
                 {"data-position", testo_numero(*p.posizione)}});
    s.apri("title", {});
    s.contenuto(std::string(errore ? "error" : "warning") + " at " + testo_numero(*p.posizione) +
                " m: " + p.testo);
    s.chiudi("title");
    s.elemento("line", {{"x1", num(X)}, {"y1", num(inizio_corsie)}, {"x2", num(X)},
                        {"y2", num(fine_profili)}, {"stroke", errore ? "#d62728" : "#ff7f0e"},
                        {"stroke-opacity", "0.35"}});
    poligono(s, {{X - 6, Y + 5}, {X + 6, Y + 5}, {X, Y - 7}}, errore ? "#d62728" : "#ffbf00",
             "#333333");
    s.chiudi("g");
  }
}

constexpr std::size_t righe_senza_posizione = 8;

std::vector<const Marcatore*> senza_posizione(const DatiGrafico& dati) {
  std::vector<const Marcatore*> elenco;
  for (const auto& p : dati.problemi) {
    if (!p.posizione) elenco.push_back(&p);
  }
  return elenco;
}

// Problems that belong to no position, listed under the legend: their first
// line each, the rest in the tooltip.
void elenco_senza_posizione(Svg& s, const std::vector<const Marcatore*>& elenco, double y) {
  if (elenco.empty()) return;
  s.testo(margine_sx, y, "Problems without a position:",
          {{"font-size", num(corpo)}, {"font-weight", "bold"}});
  for (std::size_t i = 0; i < std::min(elenco.size(), righe_senza_posizione); ++i) {
    const Marcatore& p = *elenco[i];
    const std::string riga = p.testo.substr(0, p.testo.find('\n'));
    s.apri("text", {{"class", p.gravita == Gravita::errore ? "problem error" : "problem warning"},
                    {"x", num(margine_sx + 10)}, {"y", num(y + 16 * (static_cast<double>(i) + 1))},
                    {"font-size", num(corpo)}, {"fill", p.gravita == Gravita::errore ? "#d62728" : "#b07800"}});
    s.apri("title", {});
    s.contenuto(p.testo);
    s.chiudi("title");
    s.contenuto(riga);
    s.chiudi("text");
  }
  if (elenco.size() > righe_senza_posizione) {
    s.testo(margine_sx + 10, y + 16 * (righe_senza_posizione + 1),
            "and " + std::to_string(elenco.size() - righe_senza_posizione) + " more",
            {{"font-size", num(corpo)}});
  }
}

double altezza_elenco(std::size_t n) {
  return n == 0 ? 0 : 16 * (static_cast<double>(std::min(n, righe_senza_posizione + 1)) + 1) + 10;
}

// ---- the distance axis ----

void fine_percorso(Svg& s, const DatiGrafico& dati, const Asse& distanza) {
  if (!(dati.lunghezza_percorso > distanza.v0 && dati.lunghezza_percorso < distanza.v1)) return;
  const double X = distanza.a(dati.lunghezza_percorso);
  s.elemento("line", {{"class", "route-end"}, {"x1", num(X)}, {"y1", num(inizio_corsie)},
                      {"x2", num(X)}, {"y2", num(fine_profili)}, {"stroke", "#555555"},
                      {"stroke-dasharray", "5,4"}});
  const std::string testo = "end of route (track beyond it added for the simulator)";
  const bool a_destra = X + 4 + larghezza_testo(testo, corpo) <= larghezza - 4;
  s.testo(a_destra ? X + 4 : X - 4, inizio_corsie - 4, testo,
          {{"font-size", num(corpo)}, {"fill", "#555555"}, {"text-anchor", a_destra ? "start" : "end"}});
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
  fine_percorso(s, dati, distanza);
}

// ---- legend ----

// One legend entry: its symbol drawn by `simbolo` at (x, y), then its name.
// Entries wrap to a new row at the right margin.
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

void linea_legenda(Svg& s, double x, double y, const char* colore, const char* tratteggio) {
  s.elemento("line", {{"x1", num(x)}, {"y1", num(y)}, {"x2", num(x + 16)}, {"y2", num(y)},
                      {"stroke", colore}, {"stroke-width", "1.6"}, {"stroke-dasharray", tratteggio}});
}

void legenda(Svg& s) {
  Legenda l(s);
  const std::pair<Genere, const char*> voci[] = {
      {Genere::segnale, "signal"},          {Genere::rallentamento, "slowdown"},
      {Genere::avviso, "warning board"},    {Genere::cartello_velocita, "speed board (s-side km/h)"},
      {Genere::cartello, "text board"},     {Genere::stazione, "station platform"},
      {Genere::fermata, "stop cell"},       {Genere::curva, "curve (side, class)"},
      {Genere::cella_avviso, "cell before a warning board"}, {Genere::montagna, "terrain stretch"},
      {Genere::marcatore_montagna, "terrain marker"},
      {Genere::abbattimento, "protection point from the text"},
      {Genere::avvicinamento, "approach cell"}};
  for (const auto& [g, nome] : voci) {
    l.voce(nome, [&, g = g](double x, double y) { forma(s, g, x, x + 14, y); });
  }
  l.voce("protection point placed by the compactor", [&](double x, double y) {
    forma(s, Genere::abbattimento, x, x, y, true);
  });
  l.voce("effective speed (limit and slowdowns)",
         [&](double x, double y) { linea_legenda(s, x, y, "#d62728", "4,2"); });
  l.voce("error", [&](double x, double y) {
    poligono(s, {{x - 6, y + 5}, {x + 6, y + 5}, {x, y - 7}}, "#d62728", "#333333");
  });
  l.voce("warning", [&](double x, double y) {
    poligono(s, {{x - 6, y + 5}, {x + 6, y + 5}, {x, y - 7}}, "#ffbf00", "#333333");
  });
  l.voce("end of route", [&](double x, double y) { linea_legenda(s, x, y, "#555555", "5,4"); });
  l.voce("cells without profile values", [&](double x, double y) {
    s.elemento("rect", {{"x", num(x)}, {"y", num(y - 5)}, {"width", "14"}, {"height", "10"},
                        {"fill", "#eeeeee"}, {"stroke", "#bbbbbb"}});
  });
}

// The stretch the distance axis shows, metres.
Asse asse_distanza_di(const DatiGrafico& dati, const Tratto& t) {
  const double ultimo = std::max(1.0, static_cast<double>(dati.celle.size()) - 1) * metri_per_cella;
  const double fine = !t.oltre_la_fine && dati.lunghezza_percorso > 0 ? dati.lunghezza_percorso : ultimo;
  double v0 = std::clamp(t.da.value_or(0), 0.0, fine);
  double v1 = std::clamp(t.a.value_or(fine), 0.0, fine);
  if (v1 <= v0) v1 = std::min(v0 + metri_per_cella, ultimo), v0 = v1 - metri_per_cella;
  return {v0, v1, margine_sx, larghezza - margine_dx};
}

}  // namespace

std::string disegna_svg(const DatiGrafico& dati, const Tratto& tratto) {
  const auto elenco = senza_posizione(dati);
  Svg s(larghezza, altezza_pagina + altezza_elenco(elenco.size()));
  s.testo(margine_sx, 30, dati.titolo, {{"font-size", "18"}, {"font-weight", "bold"}});
  const Asse distanza = asse_distanza_di(dati, tratto);
  piano(s, dati, area_piano, distanza.v0, distanza.v1);
  asse_distanza(s, dati, distanza);
  corsie(s, dati, distanza);
  problemi(s, dati, distanza);
  profili(s, dati, inizio_profili, distanza);
  legenda(s);
  elenco_senza_posizione(s, elenco, altezza_pagina);
  return s.documento();
}

}  // namespace scenari::tool
