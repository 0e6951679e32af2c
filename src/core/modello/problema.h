// A problem of a scenario as a value: what it is, where the author wrote
// what caused it, and what to do about it. Every report (scenari's warning,
// scenari-tool's text and JSON, the diagnostics of an editor) is made from
// these values and from nothing else.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/modello/codici.h"

namespace scenari {

enum class Gravita : std::uint8_t { errore, avviso };

// A place in a description text: its file name (no directory), 1-based line
// and the columns of the field it stands on, the end exclusive; line 0 when
// no line belongs to it, end 0 when no field is known.
struct Luogo {
  std::string file;
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::int32_t fine = 0;

  bool operator==(const Luogo&) const = default;
};

// A second place that explains a problem, such as the entry that holds a
// cell another entry wanted.
struct Nota {
  Luogo luogo;
  std::string messaggio;

  bool operator==(const Nota&) const = default;
};

// A fix one edit makes: `testo` in place of the columns `colonna` to `fine`
// (exclusive) of line `riga` of the problem's text; an insertion when the two
// are equal. Windows-1252, like the text.
struct Correzione {
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::int32_t fine = 0;
  std::string testo;

  bool operator==(const Correzione&) const = default;
};

struct Problema {
  Gravita gravita = Gravita::errore;
  std::optional<Codice> codice;  // none for a warning
  std::string controllo;         // stable short name, e.g. "cell-taken", "unknown-keyword"
  Luogo luogo;                   // empty file: found by the route builder, no text entry known
  std::optional<std::int32_t> posizione;  // metres, for the codes that carry one
  std::string messaggio;  // what is wrong, one line
  std::string dettaglio;  // the entry and field, the value read, what was expected
  std::vector<Nota> note;
  std::string aiuto;  // how to fix it; empty when there is nothing to add
  std::optional<Correzione> correzione;  // when one edit mends it
  // The reader stopped here: what follows in the text was not read.
  bool ferma_lettura = false;
  // Found only by reading on past the stop at this place, for checking: a
  // compile never gets this far.
  std::optional<Luogo> dopo_arresto;

  bool errore() const { return gravita == Gravita::errore; }
  bool operator==(const Problema&) const = default;
};

// A warning: something the format accepts that an author seldom means.
inline Problema avviso(std::string controllo, Luogo luogo, std::string messaggio,
                       std::string aiuto = {}) {
  Problema p;
  p.gravita = Gravita::avviso;
  p.controllo = std::move(controllo);
  p.luogo = std::move(luogo);
  p.messaggio = std::move(messaggio);
  p.aiuto = std::move(aiuto);
  return p;
}

inline bool ha_errori(const std::vector<Problema>& problemi) {
  return std::any_of(problemi.begin(), problemi.end(), [](const Problema& p) { return p.errore(); });
}

}  // namespace scenari
