// What a stop of a reader hides from a compile. The compile's reading ends
// at the stop; check reads the texts again, on past every stop as if the
// stopping entry were absent, and reports what that finds, each problem
// marked with the stop it lies after.
#pragma once

#include <string>
#include <vector>

#include "core/percorso/compattazione.h"

namespace scenari::tool {

// The problems that reading on past the stops finds beyond `registrati`,
// the compile's own: each with the stop it was found after and a note
// naming it. Empty when no reader stopped.
std::vector<Problema> oltre_gli_arresti(const Scenario& scenario, const TestiDescrizione& testi,
                                        const std::vector<Problema>& registrati);

// Marks the warnings about lines a compile never reads: after the stop of
// their text, or anywhere in the train text when the line text's stop kept
// the compile from reading it. Each names the last stop before it, among
// the compile's and those found by reading on.
void segna_dopo_arresti(std::vector<Problema>& avvisi, const std::vector<Problema>& registrati,
                        const std::vector<Problema>& oltre, const std::vector<std::string>& ordine_file);

}  // namespace scenari::tool
