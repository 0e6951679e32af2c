// The compaction of one scenario in memory: the two description texts in,
// the finished model with every problem out, and the binary files ready to
// be encoded. Nothing here touches a file.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

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

// The finished model, read only, and how its build ended. The encoders of
// file() share the model, so they stay valid however long they are kept,
// also after the compaction is moved or gone.
class Compattazione {
 public:
  const Modello& modello() const { return *modello_; }  // its problemi hold every problem, in order
  EsitoPercorso esito() const { return esito_; }

  // The binary files, empty unless the build is complete and read as a
  // compile reads.
  std::vector<FileBinario> file() const;

 private:
  friend Compattazione compatta(const Scenario& scenario, const TestiDescrizione& testi);
  Compattazione(std::shared_ptr<const Modello> modello, EsitoPercorso esito, bool oltre_arresti)
      : modello_(std::move(modello)), esito_(esito), oltre_arresti_(oltre_arresti) {}

  std::shared_ptr<const Modello> modello_;
  EsitoPercorso esito_;
  bool oltre_arresti_;  // read as no compile reads: never written
};

Compattazione compatta(const Scenario& scenario, const TestiDescrizione& testi);

// Why a build that created no route cells writes nothing, with the last
// error that explains it.
std::string motivo_senza_percorso(const Modello& m);

}  // namespace scenari
