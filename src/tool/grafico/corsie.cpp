#include "tool/grafico/corsie.h"

#include <cstddef>
#include <iterator>

namespace scenari::tool {

namespace {

constexpr StileGenere stili[] = {
    {Genere::segnale, "signal", "signal", "#d62728", 0, Forma::triangolo, 1},
    {Genere::rallentamento, "slowdown", "slowdown", "#ff7f0e", 1, Forma::barra, 3},
    {Genere::avviso, "warning-board", "slowdown warning board", "#ff7f0e", 1,
     Forma::triangolo_rovescio, 3},
    {Genere::cartello_velocita, "speed-board", "speed board", "#1f77b4", 3, Forma::quadrato, 2},
    {Genere::cartello, "text-board", "text board", "#9467bd", 4, Forma::rombo, 4},
    {Genere::stazione, "station", "station", "#2ca02c", 5, Forma::barra, 0},
    {Genere::curva, "curve", "curve", "#8c564b", 6, Forma::barra, 5},
    {Genere::abbattimento, "protection-point", "protection point", "#17becf", 8, Forma::cerchio, 9},
    {Genere::avvicinamento, "approach-cell", "approach cell", "#7f7f7f", 9, Forma::cella, 9},
    {Genere::fermata, "stop-cell", "stop cell", "#145a14", 5, Forma::rombo_stretto, 9},
    {Genere::cella_avviso, "warning-cell", "cell before a warning board", "#e3a857", 2, Forma::cella, 9},
    {Genere::montagna, "terrain", "terrain stretch", "#6b8e23", 7, Forma::fascia, 6},
    {Genere::marcatore_montagna, "terrain-marker", "terrain marker", "#3d5214", 7, Forma::tacca, 9},
};

constexpr bool in_ordine() {
  for (std::size_t i = 0; i < std::size(stili); ++i) {
    if (stili[i].genere != static_cast<Genere>(i)) return false;
  }
  return std::size(stili) == static_cast<std::size_t>(Genere::marcatore_montagna) + 1;
}
static_assert(in_ordine(), "one style for each kind, in the order of the kinds");

constexpr bool corsie_esistenti() {
  for (const StileGenere& s : stili) {
    // The last lane is the problems'.
    if (s.corsia < 0 || s.corsia + 1 >= static_cast<int>(std::size(corsie_oggetti))) return false;
  }
  return true;
}
static_assert(corsie_esistenti(), "every kind is drawn on an object lane");

}  // namespace

const char* nome_forma(Forma f) {
  switch (f) {
    case Forma::triangolo: return "triangle";
    case Forma::triangolo_rovescio: return "triangle-down";
    case Forma::rombo: return "diamond";
    case Forma::rombo_stretto: return "narrow-diamond";
    case Forma::quadrato: return "square";
    case Forma::cerchio: return "circle";
    case Forma::cella: return "cell";
    case Forma::tacca: return "tick";
    case Forma::barra: return "bar";
    case Forma::fascia: return "band";
  }
  return "bar";
}

std::span<const StileGenere> stili_generi() { return stili; }

const StileGenere& stile(Genere g) { return stili[static_cast<std::size_t>(g)]; }

}  // namespace scenari::tool
