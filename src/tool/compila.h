// The compile and check commands: the description texts of a directory
// compacted in memory, and for compile the binary files written into the
// output directory as one set.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/modello/problema.h"
#include "platform/files.h"

namespace scenari::tool {

struct OpzioniCompilazione {
  std::string cartella;         // where the description texts are
  std::string cartella_uscita;  // where the binary files go
  std::string nome_linea;
  std::string numero_treno;
  bool planimetria = true;
  bool scrivi = true;  // false for check: nothing is written
  // Wait for another compile writing into the output directory; otherwise
  // fail at once.
  bool attendi = true;
};

struct FileScritto {
  std::string percorso;
  std::size_t byte = 0;
};

struct EsitoCompilazione {
  int stato = 0;  // an Uscita value
  // Every problem, in the order found; file names are those of the texts
  // joined to the directory they were read from.
  std::vector<Problema> problemi;
  std::vector<FileScritto> scritti;
  std::string messaggio;  // why nothing was written, for no route or a file error
  // The texts read, by the path the problems name, to show their lines.
  std::map<std::string, std::string> sorgenti;

  bool ha_errori() const;
  std::size_t numero(Gravita g) const;
};

EsitoCompilazione compila(const OpzioniCompilazione& opzioni, platform::Files& files);

}  // namespace scenari::tool
