// Station entries of the train description: one record of the general table
// per station, its platform bounds, its stop cell and approach cells.
#pragma once

#include <cstdint>

#include "core/lettura/campi.h"
#include "core/lettura/cursore.h"
#include "core/modello/modello.h"
#include "core/lettura/voci_treno.h"

namespace scenari {

// Reads the seventeen value fields of a "stazione" entry (whose keyword lies
// at `luogo`) from `lettore` into record `record` and marks its cells. On
// success the record number moves on to the next station; the text boards'
// records, as `cursore` counts them, bound it.
Seguito leggi_stazione(Modello& m, const CursoreLettura& cursore, LettoreCampi& lettore,
                        std::int32_t& record, const Luogo& luogo);

}  // namespace scenari
