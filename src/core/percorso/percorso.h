// The route builder: reads the description texts, protects slowdowns and
// signals and stamps the start record; and the three binary files it yields.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/formato/formato_binario.h"
#include "core/lettura/lettura.h"
#include "core/modello/modello.h"

namespace scenari {

// How a build ended.
enum class EsitoPercorso {
  completo,        // the binary files can be written
  fatale,          // a start-record check failed (1250 or 1251): no file is written
  senza_percorso,  // the readers created no route cells: there is nothing to write
};

// The route builder. Clears what an earlier build left in `m` (but its names),
// builds the plan geometry when `planimetria` is set, reads the texts (on
// past every stop with `oltre_arresti`), finishes the cells and stamps the
// start record. Every problem lands in m.problemi; a failed start-record
// check is the last of them.
EsitoPercorso memorizza_percorso(Modello& m, const TestiDescrizione& testi, bool planimetria,
                                 bool oltre_arresti);

void passo_protezione(Modello& m);
// Checks and stamps cell 1 and record 85; returns none, or 1250 or 1251 when
// the start record is already taken (then nothing is stamped past the check).
std::optional<Codice> codici_partenza(Modello& m);
std::int32_t codice_gara_og(const Modello& m);
std::int32_t codice_gara_st(const Modello& m);

// One binary file of a finished build: its bare name, its size and the
// encoder that hands its bytes, in pieces, to a destination.
struct FileBinario {
  std::string nome;
  std::size_t dimensione = 0;
  std::function<void(Destinazione&)> codifica;
};

// The files of a finished build of `m`, in the order they are replaced: the
// plan geometry when it was built, the general table, the route cells. Each
// encoder shares `m`, so it stays valid as long as it is kept.
std::vector<FileBinario> file_binari(const std::shared_ptr<const Modello>& m);

// A file's bytes, whole.
std::string byte_di(const FileBinario& file);

}  // namespace scenari
