// Warnings about what the description texts say that an author seldom
// means: unknown keywords and section headers, bytes that are not
// Windows-1252 text, entries with values left over or missing, comment-like
// lines, positions past the stated route length, and entries that a stop of
// the reader leaves unread. They are read off the texts line by line, beside
// the compaction, and change nothing in it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/modello/problema.h"

namespace scenari::tool {

enum class TipoTesto { linea, treno };

struct TestoDaVerificare {
  TipoTesto tipo;
  std::string file;        // the name the problems carry
  std::string_view testo;  // Windows-1252 bytes
};

// What the compaction found that the warnings depend on.
struct EsitoLettura {
  std::optional<std::int32_t> lunghezza;  // the stated route length, once read
  // Where the reader stopped in this text and why; no value when it read
  // the text to its end. `mai_letto` when it did not read the text at all.
  std::optional<Luogo> arresto;
  std::int32_t codice_arresto = 0;
  bool mai_letto = false;
};

std::vector<Problema> avvisi_testo(const TestoDaVerificare& t, const EsitoLettura& lettura);

// The model's problems with the warnings merged in: each warning goes before
// the first recorded problem that lies after it in the same text, so the
// recorded problems keep their order.
std::vector<Problema> unisci(const std::vector<Problema>& registrati,
                             const std::vector<Problema>& avvisi,
                             const std::vector<std::string>& ordine_file);

}  // namespace scenari::tool
