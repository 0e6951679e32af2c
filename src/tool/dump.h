// The dump command: any of the three binary files decoded for reading, as
// text tables or as JSON that holds every member.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>

namespace scenari::tool {

enum class TipoFile { planimetria, tabella, celle };

// The kind of a binary file from the end of its name; throws Rifiuto when
// the name fits none.
TipoFile tipo_da_nome(const std::string& nome);

// Name of a cell type code ("signal", "text board", ...).
const char* nome_tipo_cella(int tipo);

// Both throw FormatoNonValido when the bytes do not fit the layout.
void scrivi_dump_testo(std::ostream& out, TipoFile tipo, std::string_view byte);
nlohmann::json dump_json(TipoFile tipo, std::string_view byte);

}  // namespace scenari::tool
