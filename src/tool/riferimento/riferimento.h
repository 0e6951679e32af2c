// The reference of the two description texts, as data: every section, entry
// and field with its unit, range and what the compactor does with it.
// docs/testi.md is generated from it and from the table of error codes
// (core/modello/codici.h), and an editor's field help reads the same tables.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace scenari::riferimento {

struct Campo {
  std::string_view nome;
  std::string_view unita;       // "m", "km/h", "text", ... ("" for a plain number)
  std::string_view intervallo;  // the values the compactor accepts
  std::string_view effetto;     // what the compactor does with it
};

struct Voce {
  std::string_view parola;  // the keyword as the embedded texts write it
  // The words a keyword field must contain to be this entry, and whether
  // the test tells capitals from small letters.
  std::span<const std::string_view> contiene;
  bool maiuscole_distinte;
  std::string_view descrizione;
  std::string_view esempio;  // one whole line
  std::span<const Campo> campi;
  std::string_view compattazione;  // cells, records and what else it gives
  std::span<const int> codici;     // the error codes it can give
};

struct Sezione {
  std::string_view intestazione;  // "[generale]"
  std::string_view descrizione;
  std::span<const Voce> voci;
};

struct Testo {
  std::string_view titolo;
  std::string_view nome_file;  // as formed from ROUTE and TRAIN
  std::string_view descrizione;
  std::span<const Sezione> sezioni;
};

// The line text first, then the train text.
std::span<const Testo> testi();

// The entry of `testo` that a keyword field holding `campo` is read as (the
// first whose words it contains), or nullptr.
const Voce* voce_di(const Testo& testo, std::string_view campo);

// The whole reference as Markdown, as docs/testi.md holds it.
std::string markdown();

}  // namespace scenari::riferimento
