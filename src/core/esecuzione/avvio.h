// The start-up sequence of a run: the window, the five text writers, the
// route builder, and the exit status that tells how the run went.
#pragma once

#include <cstdint>
#include <string>

#include "core/modello/modello.h"
#include "platform/files.h"
#include "platform/window.h"

namespace scenari {

// The scenario fixed in this build.
inline constexpr const char* nome_linea_incorporato = "Lago Fontana_Lago Marinella";
inline constexpr const char* numero_treno_incorporato = "40572";

inline constexpr const char* titolo_finestra = "Form1";
inline constexpr const char* etichetta_finestra = "Attendere";

// Exit statuses of a run.
enum Uscita : int {
  uscita_ok = 0,
  uscita_errore_file = 1,      // a file operation failed
  uscita_dati = 2,             // binaries written, but a data problem was recorded
  uscita_errore_fatale = 3,    // start-record check 1250 or 1251
  uscita_senza_percorso = 4,   // no route cells: nothing to write
};

// Runs the whole sequence in `cartella`; returns the exit status.
int esegui(platform::Window& finestra, platform::Files& files, const std::string& cartella);

// The fatal report: " Errore n. " and the number in a modal box. Returns the
// status the run ends with.
int errore(platform::Window& finestra, std::int32_t numero);

// The one-line warning for a data problem the run recorded; empty when the
// model holds no error code.
std::string avviso_dati(const Modello& m);

}  // namespace scenari
