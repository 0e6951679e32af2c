// The three documents handed to the driver: train card, slowdown order form
// and scenario notes, written as fixed-width Windows-1252 text.
#pragma once

#include "esecuzione/nomi_file.h"
#include "platform/files.h"

namespace scenari {

void dati_note(platform::Files& files, const NomiFile& nomi);
void dati_rallentamenti(platform::Files& files, const NomiFile& nomi);
void dati_scheda(platform::Files& files, const NomiFile& nomi);

}  // namespace scenari
