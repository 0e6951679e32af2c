// memorizza_dati: reads the two description texts of a run back into the
// model, deleting each after reading.
#pragma once

#include "core/modello/modello.h"
#include "core/esecuzione/nomi_file.h"
#include "platform/files.h"

namespace scenari {

void memorizza_dati(Modello& m, platform::Files& files, const NomiFile& nomi);

}  // namespace scenari
