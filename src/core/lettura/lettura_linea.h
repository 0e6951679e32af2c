// The line description reader: general values, gradients, text boards,
// kilometric progressives, terrain stretches, speed indicator boards and
// plan geometry.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/lettura/cursore.h"
#include "core/lettura/seguito.h"
#include "core/modello/modello.h"

namespace scenari {

// The longest route a line text may state, in metres.
inline constexpr std::int32_t lunghezza_massima_percorso = 1'000'000;

// Reads a line description text into `m` (whose names and genera_linea are
// set and whose general table is cleared). Problems are recorded in
// m.problemi. Returns continua, the train text is read next, after a normal
// end and after a position beyond the route (code 15), and arresto after
// every other stop. On return cursore.contatore_cartelli is the next free
// text-board record. Throws ErroreLettura on a read failure; the caller
// records it as code 25.
Seguito leggi_linea(Modello& m, CursoreLettura& cursore, std::string_view testo);

// Puts the three kilometric progressives of records 81..83 in order of their
// first values, largest first, and adds 100 to the second value of those
// whose third value is 1; where their values were written moves with them.
void progressive_ordina(Modello& m, CursoreLettura& cursore);

// A terrain stretch from `inizio` to `fine` metres; types above 10 also mark
// every fourth cell.
struct Montagna {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t tipo = 0;
};

// Stores a terrain stretch; its type becomes the one stored (less 10 for
// marking types, 3 when it joins the stretch before it, counted in
// `cursore`). The caller has refused stretches that do not fit (see
// rifiuto_montagna). The model records `voce`, the entry, with the cells the
// stretch covers.
void memo_montagna(Modello& m, CursoreLettura& cursore, Montagna& stretto, const Luogo& voce = {});

// Why a terrain stretch cannot be stored (none if it can): a negative end,
// an end cell beyond the route, or no room for one more stretch.
std::optional<Codice> rifiuto_montagna(const Modello& m, const CursoreLettura& cursore,
                                       std::int32_t inizio, std::int32_t fine);

// A maximum-speed indicator board: three speeds for each side (s and d)
// and the stripes of each side.
struct IndicatoreVMax {
  std::int32_t posizione = 0;
  std::int32_t vas = 0, vbs = 0, vcs = 0;
  std::int16_t strisces = 0;
  std::int32_t vad = 0, vbd = 0, vcd = 0;
  std::int16_t strisced = 0;
};

// Places an indicator board (within the route); false when its cell is
// taken. A packed speed beyond 16 bits throws ValoreFuoriCampo after the
// members before it were written.
bool memo_indicatori_v_max(Modello& m, const IndicatoreVMax& i, const Luogo& voce = {});

}  // namespace scenari
