// The line description reader: general values, gradients, text boards,
// kilometric progressives, terrain stretches, speed indicator boards and
// plan geometry.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/modello.h"

namespace scenari {

// What the description reading does after the line text.
enum class DopoLinea { leggi_treno, termina };

// Reads a line description text into `m` (whose names and genera_linea are
// set and whose general table is cleared). Problems are recorded in
// m.codice_errore / m.posizione_errore. Throws ErroreLettura on a read
// failure; the caller records it as code 25.
DopoLinea leggi_linea(Modello& m, std::string_view testo);

void progressive_ordina(Modello& m);
void memo_montagna(Modello& m, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);
void memo_indicatori_v_max(Modello& m, std::int32_t posizione, std::int32_t& vas,
                           std::int32_t& vbs, std::int32_t& vcs, std::int16_t& strisces,
                           std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                           std::int16_t& strisced);

}  // namespace scenari
