// The problems a compile of the description texts records, as marks for
// the plot.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"
#include "tool/grafico.h"

namespace scenari::tool {

// The texts of `cartella` compacted in memory, leaving `cartella`
// untouched; none when the texts are not there.
std::vector<Marcatore> problemi_dei_testi(platform::Files& files, const std::string& cartella,
                                          const std::string& nome_linea,
                                          const std::string& numero_treno);

}  // namespace scenari::tool
