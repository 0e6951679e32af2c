// The train description reader: train values, speed-limit and adhesion
// profiles, abbattimento points, signals, slowdowns and stations.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/lettura/cursore.h"
#include "core/modello/modello.h"

namespace scenari {

// Reads a train description text into `m`, after the line reader has
// created the route cells and left `cursore` as it ended, whose
// contatore_cartelli bounds the station records. Problems are recorded in
// m.problemi. Throws ErroreLettura on a read failure; the caller records it
// as code 25.
void leggi_treno(Modello& m, CursoreLettura& cursore, std::string_view testo);

// The eleven values of a signal entry, in the order they are written.
struct Segnale {
  std::int32_t posizione = 0;
  std::int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0;
  std::int32_t dx = 0, d1 = 0, d2 = 0, d3 = 0;
  std::int32_t tempo = 0;
};

// Places a signal at `posizione` metres (cell nearest(posizione / 50 + 1))
// with its four approach cells; records the problem at `voce` when it cannot
// be placed.
void memo_segnale(Modello& m, const Segnale& s, const Luogo& voce = {});

// The six values of a slowdown entry: start `x` and length `l` in metres,
// speed `v`, `f_tt`, warning flag `f_ta` and second speed `d_v`.
struct Rallentamento {
  std::int32_t x = 0, v = 0, l = 0, f_tt = 0, f_ta = 0, d_v = 0;
};

// Places a slowdown: start and end cells, warning board and, with `f_ta`,
// the four cells before the board; records the problem at `voce` when it
// cannot be placed.
void memo_rallentamento(Modello& m, const Rallentamento& r, const Luogo& voce = {});

}  // namespace scenari
