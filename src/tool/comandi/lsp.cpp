#include <array>
#include <filesystem>
#include <memory>

#include "platform/file_error.h"
#include "platform/program_directory.h"
#include "platform/stdio_binary.h"
#include "tool/comandi/comando.h"
#include "tool/lsp/cornice.h"
#include "tool/lsp/disco_sistema.h"
#include "tool/lsp/server.h"
#include "tool/lsp/uri.h"

namespace scenari::tool {

namespace {

void scrivi(const std::vector<std::string>& corpi) {
  for (const std::string& c : corpi) platform::write_standard_output(lsp::incornicia(c));
}

// The reference installed beside the program, for the links of the error
// codes; none when it is not there.
std::string guida(lsp::Disco& disco) {
  try {
    const std::string percorso =
        (std::filesystem::path(platform::program_directory()) / "../share/doc/scenari/testi.md")
            .lexically_normal()
            .generic_string();
    return disco.leggi(percorso) ? lsp::uri_da_percorso(percorso) : std::string();
  } catch (const platform::FileError&) {
    return {};
  }
}

// Reads frames until "exit" or the end of the input. Diagnostics that
// changes leave pending are published once no more input is waiting: a
// burst of keystrokes is analysed once, at its end.
int servi(platform::Files& files) {
  platform::binary_standard_streams();
  lsp::DiscoDelSistema disco(files);
  lsp::Server server(disco, guida(disco));
  lsp::Cornice cornice;
  std::array<char, 65536> buffer{};
  for (;;) {
    while (const std::optional<lsp::Unita> u = cornice.prossima()) {
      scrivi(u->header_malformato ? server.header_malformato() : server.ricevi(u->corpo));
      if (server.finito()) return server.stato_uscita();
    }
    if (!platform::standard_input_waiting()) scrivi(server.a_riposo());
    const std::size_t letti = platform::read_standard_input(buffer.data(), buffer.size());
    if (letti == 0) return server.stato_uscita();
    cornice.aggiungi(std::string_view(buffer.data(), letti));
  }
}

}  // namespace

Comando comando_lsp(CLI::App& app, platform::Files& files) {
  auto* c = app.add_subcommand(
      "lsp", "serve the Language Server Protocol on standard input and output, for editors");
  return {c, [&files] { return servi(files); }};
}

}  // namespace scenari::tool
