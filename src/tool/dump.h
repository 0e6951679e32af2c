// The dump command: any of the three binary files decoded for reading, as
// text tables or as JSON that holds every member.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/formato/record.h"

namespace scenari::tool {

enum class TipoFile { planimetria, tabella, celle };

// The kind of a binary file from the end of its name; throws Rifiuto when
// the name fits none.
TipoFile tipo_da_nome(const std::string& nome);

// Which part of a file to show: cells and plan points from `da` to `a`
// metres, and only the cells that hold something.
struct Selezione {
  std::optional<std::int64_t> da;
  std::optional<std::int64_t> a;
  bool solo_piene = false;
};

// Both throw FormatoNonValido when the bytes do not fit the layout, and
// Rifiuto when the selection does not apply to the kind of file.
void scrivi_dump_testo(std::ostream& out, TipoFile tipo, std::string_view byte,
                       const Selezione& selezione = {});
// JSON printed as it is made, so memory stays near the file's own size.
void scrivi_dump_json(std::ostream& out, TipoFile tipo, std::string_view byte,
                      const Selezione& selezione = {});

}  // namespace scenari::tool
