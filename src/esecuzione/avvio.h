// The start-up sequence of a run: the window, the five text writers, the
// route builder, and the exit status that tells how the run went.
#pragma once

#include <string>

#include "core/modello/codici.h"
#include "core/modello/modello.h"
#include "esecuzione/incorporato.h"
#include "platform/files.h"
#include "platform/window.h"

namespace scenari {

// Runs the whole sequence in `cartella`; returns the exit status.
int esegui(platform::Window& finestra, platform::Files& files, const std::string& cartella);

// The fatal report: " Errore n. " and the code's number in a modal box.
// Returns the status the run ends with.
int errore(platform::Window& finestra, Codice codice);

// The one-line warning for a data problem the run recorded; empty when the
// model holds no error code.
std::string avviso_dati(const Modello& m);

}  // namespace scenari
