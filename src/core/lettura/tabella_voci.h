// The one table of the entries of the two description texts: every section,
// entry and field, how its keyword is recognised, its unit, range and what
// the compactor does with it. The readers recognise their keywords with it;
// docs/testi.md is generated from it and from the table of error codes
// (core/modello/codici.h); the warnings and an editor's help read it.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lettura/scansione.h"
#include "core/modello/codici.h"

namespace scenari {
struct Modello;
}

namespace scenari::riferimento {

// Every entry of both texts, by the keyword the readers test for it.
enum class Parola : std::uint8_t {
  lunghezza, progressiva_uno, progressiva_due, progressiva_tre, sfondo_uno, sfondo_due,
  sfondo_tre, ripetizione, curva, pendenza, montagna, indicatori, cartello,
  vetture, frenata, sabbia, orologio, aderenza, velocita, stazione, rallentamento, segnale,
  abbattimento,
};

// The value the simulator gets for a value written, in the field's unit; no
// value when the format cannot hold it at all, which the reader refuses.
using Conservato = std::optional<std::int64_t> (*)(std::int64_t scritto);

// The documented rule of a numeric field: the values it takes and what the
// compactor makes of the others. `check` warns on a value outside it, unless
// the reader refuses such a value with an error code of its own.
struct Regola {
  std::int64_t minimo = std::numeric_limits<std::int64_t>::min();
  std::int64_t massimo = std::numeric_limits<std::int64_t>::max();
  std::int64_t passo = 1;  // the values are multiples of it
  // Positions ascend across the lines of the entry: each line of a profile
  // takes effect where the one before it ended.
  bool crescente = false;
  Conservato conservato = nullptr;  // null: the value is kept as written
  std::string_view frase;  // the rule as a warning states it: "speed limits are multiples of 5"
  // The error codes that refuse a value outside it, or the warning that
  // names it; neither: `check` warns with value-range, value-step and
  // value-order.
  std::span<const Codice> codici = {};
  std::string_view avviso = {};
  // The field of the same entry this one may not lie before (a stretch's
  // end and its start), -1 for none; `check` warns with value-order.
  std::int32_t non_prima_di = -1;
};

inline constexpr Regola senza_regola{};

// Where a field's value lands, read back from the model in the unit the
// author writes, for an entry at `posizione` (its first value, in metres).
using Dove = std::int64_t (*)(const Modello& m, std::int64_t posizione);

// A value of the field and what the simulator gets for it, in the entry's
// example line in place of the field's value: a test reads it through the
// reader and finds it `dove` says. No `dove` for a field that lands nowhere
// one value can be read back from (positions, texts, plan geometry).
struct Esempio {
  std::string_view scritto;
  std::int64_t ottenuto = 0;
  Dove dove = nullptr;
};

struct Campo {
  std::string_view nome;
  std::string_view unita;       // "m", "km/h", "text", ... ("" for a plain number)
  std::string_view intervallo;  // the values the compactor accepts, in words
  std::string_view effetto;     // what the compactor does with it
  Regola regola = senza_regola;
  Esempio esempio = {};
};

// Whether a field has a rule at all, and whether `check` warns on it.
bool ha_regola(const Regola& r);
bool regola_avvisata(const Regola& r);

// Fields of one entry packed into one stored value, such as a signal's
// fourth value rapp * 10 + sx * 3 + dx: values each within the rule of its
// field can still add up past the digits one of them owns and change what
// the simulator reads of another. `check` warns on that with value-overflow.
struct Pacchetto {
  static constexpr std::size_t massimo_campi = 3;
  using Valori = std::array<std::int64_t, massimo_campi>;

  std::span<const std::size_t> campi;  // the entry's fields packed, in text order
  // What the simulator reads back of each field for the values written,
  // both in the order of `campi`.
  Valori (*riletti)(const Valori& scritti);
  std::string_view frase;  // the packing as a warning states it
  std::string_view aiuto;
};

struct Voce {
  Parola chiave;
  std::string_view parola;  // the keyword as the embedded texts write it
  // The words a keyword field must contain to be this entry, and whether
  // the test tells capitals from small letters.
  std::span<const std::string_view> contiene;
  bool maiuscole_distinte;
  std::string_view descrizione;
  std::string_view esempio;  // one whole line
  std::span<const Campo> campi;
  std::string_view compattazione;  // cells, records and what else it gives
  std::span<const Codice> codici;  // the error codes it can give
  std::span<const Pacchetto> pacchetti = {};  // the packed values that can overflow
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

// The keyword tests of each reader, in the order it makes them: a keyword
// field that several match is read as each of their entries in turn, each
// with its own values. The line text's general section and its body read
// only their own entries; the train text reads all of its entries anywhere.
inline constexpr Parola lettura_generale_linea[] = {
    Parola::lunghezza,  Parola::progressiva_tre, Parola::progressiva_due, Parola::progressiva_uno,
    Parola::sfondo_uno, Parola::sfondo_due,      Parola::sfondo_tre,      Parola::ripetizione,
};
inline constexpr Parola lettura_corpo_linea[] = {
    Parola::pendenza, Parola::curva, Parola::montagna, Parola::indicatori, Parola::cartello,
};
inline constexpr Parola lettura_treno[] = {
    Parola::frenata, Parola::vetture,       Parola::velocita,     Parola::aderenza,
    Parola::orologio, Parola::sabbia,       Parola::segnale,      Parola::rallentamento,
    Parola::abbattimento, Parola::stazione,
};

// The entries a keyword field holding `campo` is read as by the reader
// making the tests `lettura`, in its order.
std::vector<const Voce*> voci_lette(std::span<const Parola> lettura, std::string_view campo);

// The entry of a keyword, and the test by which a reader recognises it in a
// keyword field.
const Voce& voce(Parola chiave);
bool riconosce(Parola chiave, std::string_view campo);

// How a reader takes a field's value, and each field of an entry.
Modo modo_di(const Campo& campo);
std::vector<Modo> modi_di(const Voce& voce);

}  // namespace scenari::riferimento
