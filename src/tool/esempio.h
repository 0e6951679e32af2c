// The texts command: the embedded scenario's two description texts, as a
// template to edit.
#pragma once

#include <string>
#include <vector>

#include "esecuzione/incorporato.h"
#include "platform/files.h"

namespace scenari::tool {

// Writes both texts into `cartella`, created with its parents when missing,
// under the names that `nome_linea` and `numero_treno` form, and returns
// their paths. Refuses (with Rifiuto) to replace an existing text unless
// `sovrascrivi`, since it may hold the user's own edits.
std::vector<std::string> scrivi_esempio(platform::Files& files, const std::string& cartella,
                                        bool sovrascrivi,
                                        const std::string& nome_linea = nome_linea_incorporato,
                                        const std::string& numero_treno = numero_treno_incorporato);

}  // namespace scenari::tool
