#include "tool/avvio.h"

#include <iostream>
#include <new>
#include <nlohmann/json.hpp>

#include "platform/signals.h"
#include "platform/standard_output.h"
#include "tool/stato.h"
#include "tool/uso.h"

namespace scenari::tool {

namespace {

std::string valore_dato(const CLI::Option& opzione, const char* predefinito) {
  return opzione.count() > 0 ? opzione.as<std::string>() : predefinito;
}

// The route name and train number given to a command, checked before the
// command reads or writes anything (the one not given stands as the
// embedded scenario's until the command takes it from DIR).
void controlla_nomi(const CLI::App& sottocomando) {
  const CLI::Option* linea = sottocomando.get_option_no_throw("--line");
  const CLI::Option* treno = sottocomando.get_option_no_throw("--train");
  if (linea == nullptr || treno == nullptr || linea->count() + treno->count() == 0) return;
  rifiuta_nomi_non_validi(valore_dato(*linea, nome_linea_incorporato),
                          valore_dato(*treno, numero_treno_incorporato));
}

bool vuole_json(const CLI::App& app) {
  for (const CLI::App* s : app.get_subcommands()) {
    const CLI::Option* json = s->get_option_no_throw("--json");
    if (json != nullptr && json->count() > 0) return true;
  }
  return false;
}

// A failure no command reported itself: one line on standard error and,
// under --json, the object a driving program waits for (unless standard
// output is what failed). Standard error is tied to standard output, so
// standard output is finished first, when its failures no longer throw.
int fallimento(const CLI::App& app, int stato, const std::string& messaggio) {
  bool uscita_sana = true;
  try {
    platform::finish_standard_output();
  } catch (const platform::FileError&) {
    uscita_sana = false;
  }
  std::cerr << "scenari-tool: " << messaggio << '\n';
  if (uscita_sana && vuole_json(app)) {
    std::cout << testo_json(json_del_rifiuto(app, stato, messaggio)) << '\n' << std::flush;
  }
  return stato;
}

int esegui(const std::vector<Comando>& comandi) {
  for (const Comando& c : comandi) {
    if (*c.sottocomando) {
      controlla_nomi(*c.sottocomando);
      const int stato = c.esegui();
      platform::finish_standard_output();
      return stato;
    }
  }
  return uscita_uso;
}

}  // namespace

int avvia(int argc, char** argv, const ElencoComandi& elenco) {
  platform::guard_standard_streams();
  platform::ignore_file_size_signal();
  platform::Arguments argomenti(argc, argv);
  argc = argomenti.count();
  argv = argomenti.values();
  CLI::App app{"scenari-tool: compile, inspect and draw train-driving scenarios", "scenari-tool"};
  try {
    app.set_version_flag("-V,--version", "scenari-tool " SCENARI_VERSION, "print the version");
    app.require_subcommand(1);
    // A path may begin with "/" on Windows too: options are "--" options only.
    app.allow_windows_style_options(false);
    platform::Files files;
    const std::vector<Comando> comandi = elenco(app, files, argomenti);
    aggiungi_opzioni_comuni(app);
    if (const auto stato = leggi_linea_comando(app, argc, argv, std::cout, std::cerr)) {
      platform::finish_standard_output();
      return *stato;
    }
    return esegui(comandi);
  } catch (const Rifiuto& r) {
    return fallimento(app, r.stato, r.messaggio);
  } catch (const platform::FileError& e) {
    return fallimento(app, uscita_errore_file, e.what());
  } catch (const std::ios_base::failure&) {
    return fallimento(app, uscita_errore_file, platform::standard_output_failure().what());
  } catch (const std::bad_alloc&) {
    return fallimento(app, uscita_errore_file, "out of memory");
  } catch (const std::exception& e) {
    return fallimento(app, uscita_errore_file, std::string("internal error: ") + e.what());
  }
}

}  // namespace scenari::tool
