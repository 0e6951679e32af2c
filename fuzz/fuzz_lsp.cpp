// The language server on any stream of bytes: the input is framed as the
// editor's pipe would deliver it and every message goes to the dispatcher,
// with a pause of the input (the publication of pending changes) after
// each. The files beside the texts are an empty directory, so nothing
// outside the input decides what happens. Every answer must be framed JSON.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "tool/lsp/cornice.h"
#include "tool/lsp/server.h"

namespace {

class DiscoVuoto : public scenari::lsp::Disco {
 public:
  std::optional<std::string> leggi(const std::string&) override { return std::nullopt; }
  std::vector<std::string> nomi_in(const std::string&) override { return {}; }
};

void verifica(const std::vector<std::string>& corpi) {
  for (const std::string& c : corpi) {
    if (nlohmann::json::parse(c, nullptr, false).is_discarded()) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  DiscoVuoto disco;
  scenari::lsp::Server server(disco);
  scenari::lsp::Cornice cornice;
  cornice.aggiungi(std::string_view(reinterpret_cast<const char*>(dati), dimensione));
  while (const auto u = cornice.prossima()) {
    verifica(u->header_malformato ? server.header_malformato() : server.ricevi(u->corpo));
    if (server.finito()) break;
    verifica(server.a_riposo());
  }
  return 0;
}
