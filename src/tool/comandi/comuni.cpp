#include "esecuzione/incorporato.h"
#include "tool/comandi/comando.h"

namespace scenari::tool {

void opzioni_nomi(CLI::App& c, Nomi& n) {
  n.linea = nome_linea_incorporato;
  n.treno = numero_treno_incorporato;
  c.add_option("--line", n.linea,
               "route name the file names are formed from (default: from the files in DIR)")
      ->each([&n](const std::string&) { n.linea_data = true; });
  c.add_option("--train", n.treno,
               "train number the file names are formed from (default: from the files in DIR)")
      ->each([&n](const std::string&) { n.treno_data = true; });
}

}  // namespace scenari::tool
