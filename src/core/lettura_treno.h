// The train description reader: train values, speed-limit and adhesion
// profiles, abbattimento points, signals, slowdowns and stations.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/modello.h"

namespace scenari {

// Reads a train description text into `m`, after the line reader has
// created the route cells. Problems are recorded in m.codice_errore /
// m.posizione_errore. Throws ErroreLettura on a read failure; the caller
// records it as code 25.
void leggi_treno(Modello& m, std::string_view testo);

void memo_segnale(Modello& m, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                  std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx,
                  std::int32_t& d1, std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo);
void memo_rallentamento(Modello& m, std::int32_t x, std::int32_t& v, std::int32_t& l,
                        std::int32_t& f_tt, std::int32_t f_ta, std::int32_t& d_v);

}  // namespace scenari
