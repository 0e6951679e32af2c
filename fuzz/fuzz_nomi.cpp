// Route names and train numbers: the input up to its first NUL byte is the
// route name, the rest the train number. Names that are accepted must form
// eight distinct plain file names that stay in their directory, that
// Windows can hold and whose temporaries a file system takes, and no other
// accepted route and train may form any of them.
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

// The route and train of any other scenario that would form `nome` are
// refused.
void solo_di(const std::string& nome, const std::string& linea, const std::string& treno) {
  for (std::size_t sotto = nome.find('_'); sotto != std::string::npos; sotto = nome.find('_', sotto + 1)) {
    const std::string altra = nome.substr(0, sotto);
    const std::string coda = nome.substr(sotto + 1);
    if (coda == "linea.txt" || coda == "linea.dat") {
      verifica(altra == linea || scenari::nome_rifiutato(altra, "1").has_value());
    }
    for (std::string_view fine : {"-.txt", "_note.txt", "_rallentamenti.txt", "_scheda_treno.txt", ".sim", ".dat"}) {
      if (coda.size() <= fine.size() || !coda.ends_with(fine)) continue;
      const std::string altro = coda.substr(0, coda.size() - fine.size());
      verifica((altra == linea && altro == treno) || scenari::nome_rifiutato(altra, altro).has_value());
    }
  }
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
  for (const std::string& nome : nomi) {
    verifica(nome_semplice(nome) && nome.size() + 15 <= 255);
    solo_di(nome, linea, treno);
  }
  return 0;
}
