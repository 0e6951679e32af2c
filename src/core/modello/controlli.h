// The warnings of a build, each named once, as the error codes are in
// codici.h: what the format accepts but an author almost never means.
// Problems carry the name; docs/testi.md lists the table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/modello/problema.h"

namespace scenari::controllo {

enum class Avviso : std::uint8_t {
  unknown_keyword,
  unknown_section,
  utf8_text,
  utf16_text,
  unprintable_byte,
  extra_values,
  missing_values,
  number_as_keyword,
  comment_like,
  decimal_value,
  beyond_route_length,
  negative_length,
  approach_before_start,
  value_range,
  value_step,
  value_order,
  value_overflow,
  missing_text,
  dash_in_keyword,
  misplaced_entry,
};

struct Descrizione {
  Avviso avviso;
  std::string_view nome;         // stable short name, as reports and editors show it
  std::string_view significato;  // what it says, one line
};

inline constexpr std::array<Descrizione, 20> tabella = {{
    {Avviso::unknown_keyword, "unknown-keyword",
     "a line whose keyword is none of its text's; the line is not read"},
    {Avviso::unknown_section, "unknown-section", "a section header the text does not have; it has no effect"},
    {Avviso::utf8_text, "utf8-text", "bytes that look like UTF-8: the texts are Windows-1252, one byte per character"},
    {Avviso::utf16_text, "utf16-text", "a text that looks like UTF-16: the texts are Windows-1252"},
    {Avviso::unprintable_byte, "unprintable-byte", "a control character or a byte Windows-1252 does not define"},
    {Avviso::extra_values, "extra-values",
     "more values than the entry takes: a comma or blank inside a number shifts every later field"},
    {Avviso::missing_values, "missing-values",
     "fewer values than the entry takes: the next line is read for the rest, or at the end of the "
     "text the entry is not read"},
    {Avviso::number_as_keyword, "number-as-keyword", "a keyword field holding only digits, the spill of a number split by a comma; the line is not read"},
    {Avviso::comment_like, "comment-like", "a line that looks like a comment; the format has none, and a keyword in it is read"},
    {Avviso::decimal_value, "decimal-value", "a decimal value, taken to the nearest whole number (ties to the even one)"},
    {Avviso::beyond_route_length, "beyond-route-length",
     "a position past the route's stated length, in the 7000 m run-out the compactor adds"},
    {Avviso::negative_length, "negative-length", "a curve of negative length, which bends nothing"},
    {Avviso::approach_before_start, "approach-before-start",
     "a signal before 325 m, placed without the approach marks that would lie before the route"},
    {Avviso::value_range, "value-range",
     "a value outside the range of its field: the warning says what the simulator gets instead"},
    {Avviso::value_step, "value-step",
     "a value off the step of its field (a speed limit of 63 km/h): the compactor rounds it"},
    {Avviso::value_order, "value-order",
     "a profile line (gradient, speed limit, adhesion) before the position of the line above it: it "
     "takes effect further on"},
    {Avviso::value_overflow, "value-overflow",
     "values within the rules of their fields that add up past the digits one of them owns in "
     "a packed value (a signal's sx 3 with dx 1 or 2): the warning says what the simulator reads "
     "instead"},
    {Avviso::missing_text, "missing-text", "an editor's text whose partner text is missing: it is checked alone"},
    {Avviso::dash_in_keyword, "dash-in-keyword",
     "a keyword with a dash inside it (`segnale-nord`): the field is passed over as a comment and "
     "the line is not read"},
    {Avviso::misplaced_entry, "misplaced-entry",
     "a line-text entry outside the part that reads it (`lunghezza percorso` in the body): the "
     "line has no effect"},
}};

constexpr bool in_ordine() {
  for (std::size_t i = 0; i < tabella.size(); ++i) {
    if (tabella[i].avviso != static_cast<Avviso>(i)) return false;
  }
  return true;
}
static_assert(in_ordine(), "the table lists the warnings in the order of the enum");

constexpr std::string_view nome(Avviso a) { return tabella[static_cast<std::size_t>(a)].nome; }

}  // namespace scenari::controllo

namespace scenari {

inline Problema avviso(controllo::Avviso a, Luogo luogo, std::string messaggio, std::string aiuto = {}) {
  return avviso(std::string(controllo::nome(a)), std::move(luogo), std::move(messaggio), std::move(aiuto));
}

}  // namespace scenari
