// The object lanes of the plot and how each kind of object is drawn on
// them: the one table the SVG draws from and the page's script receives
// with its data.
#pragma once

#include <span>

#include "tool/grafico/grafico.h"

namespace scenari::tool {

struct Corsia {
  const char* nome;
  bool etichette;  // rows for labels above the marks
};

// Top to bottom; the last one holds the problems.
inline constexpr Corsia corsie_oggetti[] = {
    {"signals", true},     {"slowdowns", true}, {"warning-board cells", false},
    {"speed boards", true}, {"text boards", true}, {"stations", true},
    {"curves", true},      {"terrain", true},   {"protection points", false},
    {"approach cells", false}, {"problems", false},
};

// The mark of a kind, centred on its position; a cell spans its 50 m, a bar
// or band the object's stretch. A circle is hollow for a protection point
// the compactor placed; the page colours a band by its terrain type.
enum class Forma {
  triangolo,
  triangolo_rovescio,
  rombo,
  rombo_stretto,
  quadrato,
  cerchio,
  cella,
  tacca,
  barra,
  fascia,
};

// The shape's name in the page's data: "triangle", "narrow-diamond".
const char* nome_forma(Forma f);

struct StileGenere {
  Genere genere;
  const char* classe;  // in the SVG's classes and the page's data: "stop-cell"
  const char* nome;    // in tooltips: "stop cell"
  const char* colore;
  int corsia;
  Forma forma;
  // Where the page's labels compete for room, the higher number gives way.
  int priorita;
};

// In the order of the kinds.
std::span<const StileGenere> stili_generi();
const StileGenere& stile(Genere g);

}  // namespace scenari::tool
