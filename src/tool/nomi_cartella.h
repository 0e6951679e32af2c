// The route name and train number of a scenario directory: those given on
// the command line, the rest taken from the names of the files in it.
#pragma once

#include <string>

namespace scenari::tool {

struct Nomi {
  std::string linea;  // route name: given, else the embedded scenario's
  std::string treno;  // train number: given, else the embedded scenario's
  bool linea_data = false;  // given on the command line
  bool treno_data = false;
};

// Names of the description texts of `cartella`. What `dati` gives is kept;
// what it leaves out is taken from the one pair "X_linea.txt" + "X_N-.txt"
// there that fits it. With several, Rifiuto with uscita_uso lists them; with
// none, Rifiuto with uscita_errore_file says what is missing, unless both
// names were given (the missing text is then what gets reported). A
// directory that cannot be read throws platform::FileError.
Nomi nomi_testi(const std::string& cartella, const Nomi& dati);

// Names of the compiled scenario of `cartella`, from the one pair "X_N.sim"
// + "X_N.dat" there that fits `dati`. With none, Rifiuto with
// uscita_errore_file says to compile the directory first; with several,
// Rifiuto with uscita_uso lists them.
Nomi nomi_binari(const std::string& cartella, const Nomi& dati);

}  // namespace scenari::tool
