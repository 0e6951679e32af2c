// Warnings about what the description texts say that an author seldom
// means: unknown keywords and section headers, bytes that are not
// Windows-1252 text, entries with values left over or missing, comment-like
// lines and positions past the stated route length. They are read off the
// texts line by line, beside the compaction, and change nothing in it.
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
};

std::vector<Problema> avvisi_testo(const TestoDaVerificare& t, const EsitoLettura& lettura);

// The model's problems with the warnings merged in, in the order they are
// reported: each text's in text order, in the order of `ordine_file`, then
// the route builder's errors and those on no text, in the order found; so a
// cause comes before its consequences. Problems at one place keep their
// order, the recorded ones first.
std::vector<Problema> unisci(const std::vector<Problema>& registrati,
                             const std::vector<Problema>& avvisi,
                             const std::vector<std::string>& ordine_file);

}  // namespace scenari::tool
