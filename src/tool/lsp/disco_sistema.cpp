#include "tool/lsp/disco_sistema.h"

#include "platform/directories.h"

namespace scenari::lsp {

std::optional<std::string> DiscoDelSistema::leggi(const std::string& percorso) {
  try {
    return files_.read(percorso);
  } catch (const platform::FileError&) {
    return std::nullopt;
  }
}

std::vector<std::string> DiscoDelSistema::nomi_in(const std::string& cartella) {
  try {
    return platform::file_names(cartella);
  } catch (const platform::FileError&) {
    return {};
  }
}

}  // namespace scenari::lsp
