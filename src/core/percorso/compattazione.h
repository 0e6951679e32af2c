// The compaction of one scenario in memory: the two description texts in,
// the finished model with every problem out, and the binary files ready to
// be encoded. Nothing here touches a file.
#pragma once

#include <string>

#include "core/lettura/lettura.h"
#include "core/modello/modello.h"
#include "core/percorso/percorso.h"

namespace scenari {

struct Scenario {
  std::string nome_linea;
  std::string numero_treno;
  bool planimetria = true;  // build the plan geometry and its _linea.dat file
  // Read on past every stop, for checking only: the model then holds what
  // no compile would, and its files must not be written.
  bool oltre_arresti = false;
};

struct Compattazione {
  Modello modello;  // modello.problemi holds every problem, in order
  EsitoPercorso esito = EsitoPercorso::senza_percorso;
  bool oltre_arresti = false;  // read as no compile reads: never written

  // The binary files, empty unless the build is complete and read as a
  // compile reads.
  std::vector<FileBinario> file() const {
    const bool da_scrivere = esito == EsitoPercorso::completo && !oltre_arresti;
    return da_scrivere ? file_binari(modello) : std::vector<FileBinario>{};
  }
};

Compattazione compatta(const Scenario& scenario, const TestiDescrizione& testi);

// Why a build that created no route cells writes nothing, with the last
// error that explains it.
std::string motivo_senza_percorso(const Modello& m);

}  // namespace scenari
