// The plot command: one SVG of a compiled scenario, with the plan view of
// the track above and, on a shared distance axis, the placed objects and
// the gradient, speed-limit and adhesion profiles.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/modello/modello.h"
#include "platform/files.h"

namespace scenari::tool {

struct PuntoPiano {
  std::int32_t metro;
  double x, y;
};

enum class Genere { segnale, rallentamento, avviso, cartello_velocita, cartello, stazione };

// An object on the route, in metres from the start; point objects have
// fine == inizio.
struct Oggetto {
  Genere genere;
  double inizio;
  double fine;
  std::string etichetta;  // UTF-8
};

struct DatiGrafico {
  std::string titolo;  // route name and train number as the table holds them, UTF-8
  bool ha_piano = false;
  std::vector<PuntoPiano> piano;  // the points that hold both coordinates
  std::vector<cella> celle;
  double lunghezza_percorso = 0;  // nominal route length, metres
  std::vector<Oggetto> oggetti;
};

// Decodes the three files (the plan file may be absent); throws
// FormatoNonValido when one does not fit its layout.
DatiGrafico dati_grafico(const std::optional<std::string>& planimetria, std::string_view tabella,
                         std::string_view celle);

std::string disegna_svg(const DatiGrafico& dati);

// The SVG of the scenario compiled in `cartella` under the given names.
std::string grafico_da_cartella(platform::Files& files, const std::string& cartella,
                                const std::string& nome_linea, const std::string& numero_treno);

}  // namespace scenari::tool
