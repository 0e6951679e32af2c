// memorizza_percorso: the route builder of a run.
#include "core/percorso/percorso.h"

#include <string>
#include <utility>
#include <vector>

#include "core/formato/formato_binario.h"
#include "core/lettura/lettura.h"

namespace scenari {

namespace {

// Forget what an earlier build left, so that the cells found afterwards are
// the ones this build's readers created.
void prepara_modello(Modello& m, std::int32_t j) {
  m.genera_linea = j;
  m.codice_errore = 0;
  m.problemi.clear();
  for (auto& voce : m.tabella_generale) voce = voce_tabella{};
  m.celle_percorso.clear();
  m.planimetria.elimina();
  m.numero_celle = 0;
  m.lunghezza_totale = 0;
}

// Without route cells there is nothing to finish, stamp or write.
void richiedi_celle(const Modello& m) {
  if (m.celle_create()) return;
  std::string motivo = "no route cells were created, so no binary file is written";
  if (m.codice_errore != 0) {
    motivo += " (code " + std::to_string(m.codice_errore);
    if (const Problema* p = m.ultimo_problema(); p != nullptr && !p->file.empty()) {
      motivo += " in " + p->file + " line " + std::to_string(p->riga);
    }
    motivo += std::string(": ") + significato_codice(m.codice_errore) + ")";
  }
  throw PercorsoAssente(motivo);
}

// Every temporary file is written before the first rename, so a failure
// leaves the older set of files whole.
void scrivi_file_binari(const Modello& m, platform::Files& files, const NomiFile& nomi) {
  std::vector<std::pair<std::string, std::string>> uscite;
  if (m.genera_linea != 0) {
    uscite.emplace_back(nomi.linea_dat, codifica_planimetria(m.planimetria));
  }
  uscite.emplace_back(nomi.sim, codifica_tabella(m.tabella_generale));
  uscite.emplace_back(nomi.dat, codifica_celle(m.celle_percorso));
  files.replace_all(uscite);
}

}  // namespace

void memorizza_percorso(Modello& m, platform::Files& files, const NomiFile& nomi,
                        std::int32_t j) {
  prepara_modello(m, j);
  memorizza_dati(m, files, nomi);
  richiedi_celle(m);
  passo_protezione(m);
  codici_partenza(m);
  scrivi_file_binari(m, files, nomi);
}

}  // namespace scenari
