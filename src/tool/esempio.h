// The texts command: the embedded scenario's two description texts, as a
// template to edit.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace scenari::tool {

// Writes both texts into `cartella` and returns their paths. Refuses (with
// Rifiuto) to replace an existing text unless `sovrascrivi`, since it may
// hold the user's own edits.
std::vector<std::string> scrivi_esempio(platform::Files& files, const std::string& cartella,
                                        bool sovrascrivi);

}  // namespace scenari::tool
