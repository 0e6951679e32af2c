// The plot command: a compiled scenario drawn as one SVG or as one
// interactive HTML page, with the plan view of the track above and, on a
// shared distance axis, the placed objects and the gradient, speed and
// adhesion profiles.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/modello/modello.h"
#include "core/modello/problema.h"
#include "core/percorso/compattazione.h"
#include "platform/files.h"

namespace scenari::tool {

struct PuntoPiano {
  std::int32_t metro;
  double x, y;
};

enum class Genere {
  segnale,
  rallentamento,
  avviso,
  cartello_velocita,
  cartello,
  stazione,
  curva,
  abbattimento,
  avvicinamento,
  fermata,
  cella_avviso,        // one of the four cells before a warning board
  montagna,            // a terrain stretch
  marcatore_montagna,  // a terrain marker cell
};

// Where an object was written: a line of a description text.
struct Origine {
  std::string file;
  std::int32_t riga = 0;
  std::string voce;  // the entry as written, UTF-8
};

// An object on the route, in metres from the start. It is drawn from
// `inizio` to `fine` (equal for point objects); `posizione` is where the
// author put it, which for a station is its stop position, not the start
// of its platform.
struct Oggetto {
  Oggetto(Genere g, double da, double a, std::string testo, std::optional<double> scritto = {},
          std::string cella = {})
      : genere(g), inizio(da), fine(a), etichetta(std::move(testo)), posizione(scritto.value_or(da)),
        valori(std::move(cella)) {}

  Genere genere;
  double inizio;
  double fine;
  std::string etichetta;  // UTF-8
  double posizione;
  std::string valori;  // what the cell holds, for tooltips
  std::optional<Origine> origine;
  std::int32_t cella = -1;  // the route cell that holds it, if one does
};

// A problem of the compile, marked at its position when it has one.
struct Marcatore {
  std::optional<double> posizione;
  Gravita gravita;
  std::string testo;
};

struct DatiGrafico {
  std::string titolo;  // route name and train number as the table holds them, UTF-8
  bool ha_piano = false;
  std::vector<PuntoPiano> piano;  // the points that hold both coordinates
  std::vector<cella> celle;
  double lunghezza_percorso = 0;  // nominal route length, metres
  std::vector<Oggetto> oggetti;   // in order of position within each kind
  std::vector<Marcatore> problemi;
};

// Decodes the three files (the plan file may be absent); throws
// FormatoNonValido when one does not fit its layout.
DatiGrafico dati_grafico(const std::optional<std::string>& planimetria, std::string_view tabella,
                         std::string_view celle);
// The same from a model held in memory.
DatiGrafico dati_grafico(const Modello& m);

// The curves the track of the plan view makes, with side and class.
std::vector<Oggetto> curve_del_piano(const std::vector<PuntoPiano>& punti);

// A description text by the bare file name the model's origins carry.
struct TestoLetto {
  std::string file;
  std::string_view testo;
};

// Gives each object the entry the model recorded for it while placing it
// (for a terrain stretch or a curve, the entry of the stretch); objects
// with none were placed by the compactor. `m` is the compile of `testi`;
// an object whose cell `m` holds otherwise (binary files older than the
// texts) gets no entry.
void associa_origini(DatiGrafico& dati, const Modello& m, const std::vector<TestoLetto>& testi);

// Speed in force per cell, km/h: the limit, lowered inside slowdowns.
std::vector<int> velocita_effettiva(const std::vector<cella>& celle);

// The cells that carry profile values: the fills leave the last few with
// every profile byte 0, which would read as -100 per mille and 0 km/h.
std::size_t celle_con_profilo(const std::vector<cella>& celle);

// Where the point object of cell k was placed, in metres.
inline double posizione_cella(std::size_t k) {
  return static_cast<double>(metro_punto(static_cast<std::int64_t>(k)));
}

// The stretch of route drawn, metres; empty ends mean the whole route.
struct Tratto {
  std::optional<double> da;
  std::optional<double> a;
  bool oltre_la_fine = true;  // draw the track the compactor adds after the route's end
};

std::string disegna_svg(const DatiGrafico& dati, const Tratto& tratto = {});
// The page opens on the whole route, with or without the track after its
// end.
std::string pagina_html(const DatiGrafico& dati, bool oltre_la_fine = true);
// The page's data as its script reads it, and the page around such data;
// a live page follows the server's events with newer data.
std::string dati_pagina(const DatiGrafico& dati, bool oltre_la_fine);
std::string pagina_html(const std::string& titolo, const std::string& dati, bool dal_vivo);

// The route as two description texts compile in memory, as far as it was
// built whatever the outcome, with the entry of each object and every
// problem `check` reports.
DatiGrafico dati_da_testi(const Scenario& scenario, const TestiDescrizione& testi);

// What the plot command draws from `cartella`: the binary files compiled
// there under the given names and, when the description texts are there
// too, the entries each object came from and the compile's problems.
DatiGrafico dati_da_cartella(platform::Files& files, const std::string& cartella,
                             const std::string& nome_linea, const std::string& numero_treno);

}  // namespace scenari::tool
