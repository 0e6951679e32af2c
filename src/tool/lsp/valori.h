// A line of a description text cut as the reader takes it: the keyword
// field up to the first comma, then the values. A value ends at a comma, a
// number at a blank too, and a field in double quotes may hold commas.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/lettura/tabella_voci.h"

namespace scenari::lsp {

// Bytes [inizio, fine) of the line, blanks around excluded.
struct Tratto {
  std::size_t inizio = 0;
  std::size_t fine = 0;
};

// The keyword field, from the start of the line to its first comma.
Tratto campo_chiave(std::string_view riga);

// The values of `voce` on the line, in order; the i-th belongs to
// voce.campi[i] while there are fields (the rest are extra values). A text
// field that is the entry's last runs to the end of the line.
std::vector<Tratto> valori_di(std::string_view riga, const riferimento::Voce& voce);

}  // namespace scenari::lsp
