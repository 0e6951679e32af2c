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

// Name of a cell type code ("signal", "text board", ...).
const char* nome_tipo_cella(int tipo);

// The position in metres that an author writes for what cell `indice`
// holds: a point object (signal, slowdown cell, board) lies in cell
// nearest(p / 50 + 1), so it shows (indice - 1) * 50; a station stop cell
// lies one cell before the platform end, so it shows that end; anything else
// (profiles, abbattimento points, terrain) starts at indice * 50.
std::int64_t posizione_autore(std::size_t indice, const cella& c);

// What the packed members of a cell or a general record mean, in words;
// empty when there is nothing to decode.
std::string decodifica_cella(std::size_t indice, const cella& c);
std::string decodifica_voce(std::size_t numero, const voce_tabella& v);

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
