// The compile command: the description texts of a directory compacted by
// the same route builder as scenari, on private copies, with the binary
// files moved into the output directory all together.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace scenari::tool {

struct OpzioniCompilazione {
  std::string cartella;         // where the description texts are
  std::string cartella_uscita;  // where the binary files go
  std::string nome_linea;
  std::string numero_treno;
  bool planimetria = true;
};

// One problem the build recorded, with where it was found.
struct Segnalazione {
  std::int32_t codice = 0;
  std::string significato;
  std::string file;   // description text, or the route cells file for the builder's codes
  std::int32_t riga = 0;  // 0 when no line belongs to it
  std::int32_t posizione = 0;
  bool fatale = false;
};

struct FileScritto {
  std::string percorso;
  std::size_t byte = 0;
};

struct EsitoCompilazione {
  int stato = 0;  // an Uscita value
  std::vector<Segnalazione> problemi;
  std::vector<FileScritto> scritti;
  std::string messaggio;  // why nothing was written, for no route or a file error
};

EsitoCompilazione compila(const OpzioniCompilazione& opzioni, platform::Files& files);

// "file:line: code N: meaning (position P m)"; no ":line" when it is 0.
std::string descrivi_problema(const Segnalazione& p);

}  // namespace scenari::tool
