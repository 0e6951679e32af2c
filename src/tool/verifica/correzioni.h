// The fixes of the problems that one edit of a text mends, beside the
// did-you-mean words and the stored values of the rules, which the warnings
// make themselves: UTF-8 bytes as their character, a number split by a
// thousands comma joined again, missing values from the entry's example, a
// decimal as the whole number stored, a position whose cell is taken moved
// to the nearest that fits. Each is read off the problem's span with the
// scanner and the table of entries.
#pragma once

#include <vector>

#include "core/percorso/compattazione.h"

namespace scenari::tool {

// `modello`: the compaction of `testi` the problems come from.
void aggiungi_correzioni(std::vector<Problema>& problemi, const Scenario& scenario,
                         const TestiDescrizione& testi, const Modello& modello);

}  // namespace scenari::tool
