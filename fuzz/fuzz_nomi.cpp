// Route names and train numbers: the input up to its first NUL byte is the
// route name, the rest the train number. Names that are accepted must form
// eight distinct plain file names that stay in their directory and that
// Windows can hold.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "esecuzione/nomi_validi.h"
#include "core/modello/nomi_file.h"

namespace {

void verifica(bool condizione) {
  if (!condizione) __builtin_trap();
}

bool nome_semplice(const std::string& nome) {
  if (nome.empty() || nome == "." || nome == "..") return false;
  for (char c : nome) {
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos ||
        static_cast<unsigned char>(c) < 0x20) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  const std::string_view ingresso(reinterpret_cast<const char*>(dati), dimensione);
  const std::size_t nul = ingresso.find('\0');
  const std::string linea(ingresso.substr(0, nul));
  const std::string treno(nul == std::string_view::npos ? std::string_view() : ingresso.substr(nul + 1));
  if (scenari::nome_rifiutato(linea, treno)) return 0;
  const scenari::NomiFile n = scenari::nomi_file(linea, treno);
  const std::set<std::string> nomi = {n.linea_txt, n.treno_txt,  n.note, n.rallentamenti,
                                      n.scheda,    n.linea_dat, n.sim,  n.dat};
  verifica(nomi.size() == 8);
  for (const std::string& nome : nomi) verifica(nome_semplice(nome) && nome.size() <= 255);
  return 0;
}
