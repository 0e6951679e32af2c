// The scenario fixed in this build, the window a run shows and the exit
// statuses it ends with: what the tool and the tests share with a run
// without depending on the operating system.
#pragma once

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

}  // namespace scenari
