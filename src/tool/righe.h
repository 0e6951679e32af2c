// The lines of a text as the readers count them: a line ends at LF, CR LF
// or a CR alone, so line numbers everywhere agree with the problems'.
#pragma once

#include <string_view>
#include <vector>

#include "core/lettura/scansione.h"

namespace scenari::tool {

// The lines without their ends; a text that ends with a line end has an
// empty last line.
inline std::vector<std::string_view> righe_di(std::string_view testo) {
  return IndiceRighe(testo).righe();
}

}  // namespace scenari::tool
