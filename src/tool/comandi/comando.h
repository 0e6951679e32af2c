// One subcommand of scenari-tool: it adds itself and its options to the
// application and hands back what runs it once the command line is parsed.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <sstream>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/files.h"
#include "tool/rapporto.h"
#include "tool/nomi_cartella.h"
#include "tool/stato.h"

namespace scenari::tool {

struct Comando {
  CLI::App* sottocomando = nullptr;
  std::function<int()> esegui;
};

Comando comando_texts(CLI::App& app, platform::Files& files);
Comando comando_check(CLI::App& app, platform::Files& files);
Comando comando_compile(CLI::App& app, platform::Files& files);
Comando comando_dump(CLI::App& app, platform::Files& files);
Comando comando_plot(CLI::App& app, platform::Files& files);
Comando comando_lsp(CLI::App& app, platform::Files& files);

// The route name and train number options every command that names a
// scenario's files takes; Nomi records which were given, so the rest can be
// taken from the files of DIR (tool/nomi_cartella.h).
void opzioni_nomi(CLI::App& c, Nomi& n);

// The JSON object of a command that failed with `stato` before it could
// report: for check and compile, the object they print, with the options
// given and no problem; for the rest, the status and the message.
nlohmann::json json_del_rifiuto(const CLI::App& app, int stato, const std::string& messaggio);

// Refuses (uscita_uso) a range of --from and --to whose start lies past its
// end, or at it when the range must hold more than one point.
template <typename T>
void rifiuta_intervallo_vuoto(const std::optional<T>& da, const std::optional<T>& a,
                              bool un_punto_ammesso) {
  if (!da || !a || *da < *a || (un_punto_ammesso && *da == *a)) return;
  std::ostringstream m;
  m << "error: --from " << *da;
  if (*da == *a) {
    m << " equals --to " << *a << ": the stretch drawn would be empty";
  } else {
    m << " lies past --to " << *a << ": the range holds nothing";
  }
  throw Rifiuto{uscita_uso, m.str()};
}


}  // namespace scenari::tool
