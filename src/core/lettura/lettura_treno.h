// The train description reader: train values, speed-limit and adhesion
// profiles, abbattimento points, signals, slowdowns and stations.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/modello/modello.h"

namespace scenari {

// Reads a train description text into `m`, after the line reader has
// created the route cells; m.contatore_cartelli bounds the station records.
// Problems are recorded in m.codice_errore / m.posizione_errore. Throws
// ErroreLettura on a read failure; the caller records it as code 25.
void leggi_treno(Modello& m, std::string_view testo);

// Places a signal at `posizione` metres (cell nearest(posizione / 50 + 1))
// with its four approach cells. Sets codice_errore (recorded for line
// `riga`) when the signal cannot be placed; may raise `tempo` to 101.
void memo_segnale(Modello& m, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                  std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx,
                  std::int32_t& d1, std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo,
                  std::int32_t riga = 0);

// Places a slowdown from `x` metres over `l` metres: start and end cells,
// warning board and, with `f_ta`, the four cells before the board. Sets
// codice_errore (recorded for line `riga`) when it cannot be placed.
void memo_rallentamento(Modello& m, std::int32_t x, std::int32_t& v, std::int32_t& l,
                        std::int32_t& f_tt, std::int32_t f_ta, std::int32_t& d_v,
                        std::int32_t riga = 0);

}  // namespace scenari
