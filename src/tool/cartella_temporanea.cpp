#include "tool/cartella_temporanea.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

namespace scenari::tool {

CartellaTemporanea::CartellaTemporanea() {
  std::error_code errore;
  std::string modello = (std::filesystem::temp_directory_path(errore) / "scenari-tool-XXXXXX");
  if (errore) modello = "/tmp/scenari-tool-XXXXXX";
  if (::mkdtemp(modello.data()) == nullptr) {
    throw platform::FileError(modello, std::strerror(errno));
  }
  percorso_ = modello;
}

CartellaTemporanea::~CartellaTemporanea() {
  std::error_code ignorato;
  std::filesystem::remove_all(percorso_, ignorato);
}

}  // namespace scenari::tool
