// The names of every file of a scenario inside a directory.
#pragma once

#include <string>

#include "core/modello/nomi_file.h"

namespace scenari {

NomiFile nomi_file(const std::string& cartella, const std::string& nome_linea,
                   const std::string& numero_treno);

}  // namespace scenari
