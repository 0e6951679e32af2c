// The analysis of a scenario's two texts as check, compile and an editor
// see it: the compaction in memory, and every problem it records with the
// warnings about the texts merged in, in the order they are reported.
#pragma once

#include <vector>

#include "core/percorso/compattazione.h"

namespace scenari::tool {

struct Analisi {
  Compattazione compattazione;
  // Problems carry the bare names of the texts; the caller joins them to a
  // directory as it shows them.
  std::vector<Problema> problemi;
};

// Both texts must be given.
Analisi analizza(const Scenario& scenario, const TestiDescrizione& testi);

}  // namespace scenari::tool
