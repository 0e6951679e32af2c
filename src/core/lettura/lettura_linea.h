// The line description reader: general values, gradients, text boards,
// kilometric progressives, terrain stretches, speed indicator boards and
// plan geometry.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/modello/modello.h"

namespace scenari {

// What the description reading does after the line text.
enum class DopoLinea { leggi_treno, termina };

// Reads a line description text into `m` (whose names and genera_linea are
// set and whose general table is cleared). Problems are recorded in
// m.codice_errore / m.posizione_errore; leggi_treno follows a normal end and
// a position beyond the route (code 15), termina every other refusal. On
// return m.contatore_cartelli is the next free text-board record.
// Throws ErroreLettura on a read failure; the caller records it as code 25.
DopoLinea leggi_linea(Modello& m, std::string_view testo);

// Puts the three kilometric progressives of records 81..83 in order of their
// first values, largest first, and adds 100 to the second value of those
// whose third value is 1.
void progressive_ordina(Modello& m);

// Stores terrain stretch `inizio`..`fine` of type `tipo` (types above 10 also
// mark every fourth cell). The caller has refused stretches that do not fit:
// at most numero_massimo_montagne, inizio >= 0, last cell within the route
// (see rifiuto_montagna).
void memo_montagna(Modello& m, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);

// Why a terrain stretch cannot be stored (a code, 0 if it can): a negative
// end, an end cell beyond the route, or no room for one more stretch.
std::int32_t rifiuto_montagna(const Modello& m, std::int32_t inizio, std::int32_t fine);

// Places a maximum-speed indicator board at `posizione` (within the route).
// A taken cell sets code 21; a packed speed beyond 16 bits throws
// ErroreLettura after the members before it were written.
void memo_indicatori_v_max(Modello& m, std::int32_t posizione, std::int32_t& vas,
                           std::int32_t& vbs, std::int32_t& vcs, std::int16_t& strisces,
                           std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                           std::int16_t& strisced);

}  // namespace scenari
