// The files beside the open texts, as the system has them.
#pragma once

#include "platform/files.h"
#include "tool/lsp/documenti.h"

namespace scenari::lsp {

class DiscoDelSistema : public Disco {
 public:
  explicit DiscoDelSistema(platform::Files& files) : files_(files) {}

  std::optional<std::string> leggi(const std::string& percorso) override;
  std::vector<std::string> nomi_in(const std::string& cartella) override;

 private:
  platform::Files& files_;
};

}  // namespace scenari::lsp
