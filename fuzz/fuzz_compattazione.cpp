// The whole compaction: the input up to its first NUL byte is the line
// text, the rest the train text. Both are written into a scratch directory,
// the route builder reads them and writes the binary files, and every file
// written must decode back to what the model holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/formato/formato_binario.h"
#include "core/percorso/percorso.h"
#include "platform/files.h"
#include "platform/scratch_directory.h"

namespace {

using scenari::platform::Files;

// One directory for the whole fuzzing session, removed when it ends.
const std::string& cartella() {
  static const scenari::platform::ScratchDirectory scratch("fuzz_compattazione");
  return scratch.path();
}

void verifica(bool condizione) {
  if (!condizione) __builtin_trap();
}

void verifica_file(Files& files, const scenari::Modello& m, const scenari::NomiFile& nomi) {
  verifica(scenari::decodifica_celle(files.read(nomi.dat)) == m.celle_percorso);
  verifica(scenari::decodifica_tabella(files.read(nomi.sim)) == m.tabella_generale);
  verifica(scenari::decodifica_planimetria(files.read(nomi.linea_dat)) == m.planimetria);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
  const std::string_view ingresso(reinterpret_cast<const char*>(dati), dimensione);
  const std::size_t nul = ingresso.find('\0');
  const std::string_view linea = ingresso.substr(0, nul);
  const std::string_view treno =
      nul == std::string_view::npos ? std::string_view() : ingresso.substr(nul + 1);

  Files files;
  scenari::Modello m;
  m.nome_linea = "Lago Fontana_Lago Marinella";
  m.numero_treno = "40572";
  const scenari::NomiFile nomi = scenari::nomi_file(cartella(), m.nome_linea, m.numero_treno);
  files.replace(nomi.linea_txt, linea);
  files.replace(nomi.treno_txt, treno);
  bool scritti = false;
  try {
    scenari::memorizza_percorso(m, files, nomi, 1);
    scritti = true;
  } catch (const scenari::ErroreFatale&) {
  } catch (const scenari::PercorsoAssente&) {
  }
  // Code 25 and a normal end leave no description text; the other refusals
  // of the line text may leave the train text unread.
  verifica(!files.exists(nomi.linea_txt));
  if (scritti) verifica_file(files, m, nomi);
  for (const std::string* nome : {&nomi.treno_txt, &nomi.linea_dat, &nomi.sim, &nomi.dat}) {
    files.remove_if_exists(*nome);
  }
  return 0;
}
