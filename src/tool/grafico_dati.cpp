// What the plot shows, taken from the decoded binary files.
#include <cmath>

#include "core/formato/formato_binario.h"
#include "core/esecuzione/nomi_file.h"
#include "tool/cp1252.h"
#include "tool/grafico.h"

namespace scenari::tool {

namespace {

constexpr double metri_per_cella = 50;

// A point object in cell k was placed at about (k - 1) x 50 m.
double posizione_cella(std::size_t k) {
  return (static_cast<double>(k) - 1) * metri_per_cella;
}

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

std::string nome_voce(const std::array<voce_tabella, numero_voci>& t, int numero) {
  if (numero < 0 || numero >= numero_voci) return "record " + std::to_string(numero) + "?";
  return utf8_da_1252(t[static_cast<std::size_t>(numero)].nome);
}

// The s-side speed of a packed board value (20 x s + d / 5).
std::string velocita_cartello(const cella& c) {
  return std::to_string(c.dato1 / 20) + "/" + std::to_string(c.dato2 / 20) + "/" +
         std::to_string(c.dato3 / 20);
}

Oggetto stazione(const std::array<voce_tabella, numero_voci>& t, int numero) {
  if (numero <= 0 || numero >= numero_voci) return {Genere::stazione, 0, 0, nome_voce(t, numero)};
  const voce_tabella& v = t[static_cast<std::size_t>(numero)];
  return {Genere::stazione, static_cast<double>(v.valore1), static_cast<double>(v.valore2),
          utf8_da_1252(v.nome)};
}

// A slowdown runs from its start cell to the next end cell.
double fine_rallentamento(const std::vector<cella>& celle, std::size_t inizio) {
  for (std::size_t k = inizio + 1; k < celle.size(); ++k) {
    if (celle[k].tipo == 2) return posizione_cella(k);
  }
  return posizione_cella(inizio);
}

std::vector<Oggetto> oggetti(const std::vector<cella>& celle,
                             const std::array<voce_tabella, numero_voci>& t) {
  std::vector<Oggetto> trovati;
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    const double p = posizione_cella(k);
    switch (c.tipo) {
      case 1: trovati.push_back({Genere::segnale, p, p, std::to_string(std::lround(p)) + " m"}); break;
      case 3:
        trovati.push_back({Genere::rallentamento, p, fine_rallentamento(celle, k),
                           std::to_string(c.dato1) + " km/h"});
        break;
      case 4: trovati.push_back({Genere::avviso, p, p, ""}); break;
      case 6: trovati.push_back({Genere::cartello_velocita, p, p, velocita_cartello(c)}); break;
      case 10: trovati.push_back(stazione(t, c.dato1)); break;
      case 14: trovati.push_back({Genere::cartello, p, p, nome_voce(t, c.dato1)}); break;
      default: break;
    }
  }
  return trovati;
}

}  // namespace

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
  return d;
}

std::string grafico_da_cartella(platform::Files& files, const std::string& cartella,
                                const std::string& nome_linea, const std::string& numero_treno) {
  const NomiFile nomi = nomi_file(cartella, nome_linea, numero_treno);
  std::optional<std::string> piano;
  if (files.exists(nomi.linea_dat)) piano = files.read(nomi.linea_dat);
  return disegna_svg(dati_grafico(piano, files.read(nomi.sim), files.read(nomi.dat)));
}

}  // namespace scenari::tool
