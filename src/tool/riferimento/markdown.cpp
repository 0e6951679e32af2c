// docs/testi.md: the reference table written out for people.
#include <sstream>

#include "core/modello/codici.h"
#include "core/modello/controlli.h"
#include "core/lettura/tabella_voci.h"
#include "tool/riferimento/markdown.h"

namespace scenari::riferimento {

namespace {

constexpr std::string_view introduzione = R"(# The description texts

<!-- Generated from src/core/lettura/tabella_voci.cpp by
     build/release/scenari-riferimento > docs/testi.md
     Edit the table there, not this file: a test compares the two. -->

A scenario is two texts in one directory: the line text `ROUTE_linea.txt` and the train text
`ROUTE_TRAIN-.txt` (the hyphen is part of the name), where ROUTE is the route name, for example
`Lago Fontana_Lago Marinella`, and TRAIN the train number, for example `40572`.
`scenari-tool texts DIR` writes the embedded scenario's two texts as a template;
`scenari-tool check DIR` reports every problem of your edits, `scenari-tool compile DIR`
compacts them into the three binary files.

## How the texts are read

- One byte per character, Windows-1252; lines end with CR LF (LF alone is read too).
- A text is a stream of fields separated by commas and line ends. Blanks before a field are
  dropped; a field in double quotes may hold commas. A number ends at a blank too, so
  `7   59   47` is three numbers.
- An entry is a keyword field followed by exactly as many value fields as its keyword reads,
  wherever the line breaks fall. Numbers are whole numbers with an optional sign, `-` or `+`
  (`+7000` is 7000); a decimal is taken to the nearest whole number, ties to the even one, with
  a warning.
- A keyword field is recognised by the words it contains (`pendenza  ` is `pendenza`,
  `indicatori_vmax` holds `indicatori_v`). Each entry below says which words; most tests ignore
  capitals, those marked (capitals matter) do not. A field that matches several entries reads
  the values of each in turn, in the order its reader tests for them (given under each
  text), so keep keywords apart.
- A keyword field that holds a `-` is a comment and is passed over (at most two in a row in
  the body, ten in the `[generale]` section of the line text), also when the dash lies inside
  a keyword (`segnale-nord`): the values after it are then read as keywords and the line has
  no effect. A field that matches no keyword, a section header for instance, is passed over
  too.
- The last field of a text is never read: end each text with `[fine]`.
- Positions are whole metres from the start of the route. The route cells are 50 m long:
  cell k covers k * 50 to k * 50 + 49 m. A point object at position p (signal, slowdown cell,
  board) lies in cell nearest(p / 50 + 1); profiles, gradients and abbattimento points start
  in cell nearest(p / 50); nearest rounds halves to the even number. Two objects in one cell
  are an error. `scenari-tool dump` shows each object at the position you wrote for it.
- L in the ranges below is the route length; the route cells run 7000 m past it.
)";

// The rule of a field in words, with its order across the lines of the
// entry when it has one.
std::string regola_di(const Campo& c) {
  std::string t(c.intervallo);
  if (c.regola.crescente) t += "; ascending across the lines";
  return t;
}

// Whether the field shares a packed value that can overflow.
bool impaccato(const Voce& v, std::size_t campo) {
  for (const Pacchetto& p : v.pacchetti) {
    for (std::size_t i : p.campi) {
      if (i == campo) return true;
    }
  }
  return false;
}

// What checks the rule: the reader's error codes, a warning of its own, or
// the value warnings of check.
std::string verifica_di(const Regola& r, bool pacchetto) {
  std::string t;
  const auto aggiungi = [&t](const std::string& parte) { t += (t.empty() ? "" : "; ") + parte; };
  if (!r.codici.empty()) {
    std::string codici = r.codici.size() == 1 ? "error " : "errors ";
    for (std::size_t i = 0; i < r.codici.size(); ++i) {
      codici += (i == 0 ? "" : ", ") + std::to_string(codice::numero(r.codici[i]));
    }
    aggiungi(codici);
  }
  if (!r.avviso.empty()) aggiungi("`" + std::string(r.avviso) + "`");
  if (regola_avvisata(r)) {
    const bool intervallo = r.minimo != senza_regola.minimo || r.massimo != senza_regola.massimo;
    if (intervallo) aggiungi("`value-range`");
    if (r.passo != 1) aggiungi("`value-step`");
  }
  if (r.crescente || r.non_prima_di >= 0) aggiungi("`value-order`");
  if (pacchetto) aggiungi("`value-overflow`");
  return t.empty() ? "no rule" : "checked: " + t;
}

// The keywords of a reader's tests, in the order it makes them.
std::string ordine_di(std::span<const Parola> lettura) {
  std::string t;
  for (std::size_t i = 0; i < lettura.size(); ++i) {
    t += (i == 0 ? "`" : ", `") + std::string(voce(lettura[i]).parola) + "`";
  }
  return t;
}

// Which entries each part of a text reads, and in which order a keyword
// field matching several of them is read.
std::string letture_di(const Testo& t) {
  if (&t != &testi().front()) {
    return "Its reader tests each keyword field, in every section, for " +
           ordine_di(lettura_treno) + ", in this order.";
  }
  return "Its reader tests each keyword field in `[generale]` for " +
         ordine_di(lettura_generale_linea) + ", and after it for " +
         ordine_di(lettura_corpo_linea) +
         ", in this order: a general entry after `[generale]`, or another entry within it, is "
         "not read.";
}

// A field's example: the value written and what the simulator gets.
std::string esempio_di(const Esempio& e) {
  if (e.dove == nullptr) return "";
  return "`" + std::string(e.scritto) + "` gives " + std::to_string(e.ottenuto);
}

void scrivi_voce(std::ostream& out, const Voce& v) {
  out << "#### `" << v.parola << "`\n\n" << v.descrizione << "\n\n    " << v.esempio
      << "\n\nRecognised by a keyword field that contains ";
  for (std::size_t i = 0; i < v.contiene.size(); ++i) {
    out << (i == 0 ? "" : " and ") << '"' << v.contiene[i] << '"';
  }
  out << (v.maiuscole_distinte ? " (capitals matter)" : "") << ".\n\n";
  out << "| Field | Unit | Rule | Checked | What the compactor does | Example |\n"
         "|---|---|---|---|---|---|\n";
  for (std::size_t i = 0; i < v.campi.size(); ++i) {
    const Campo& c = v.campi[i];
    out << "| " << c.nome << " | " << c.unita << " | " << regola_di(c) << " | "
        << verifica_di(c.regola, impaccato(v, i)) << " | " << c.effetto << " | " << esempio_di(c.esempio)
        << " |\n";
  }
  out << '\n' << v.compattazione << "\n\nCodes:";
  for (std::size_t i = 0; i < v.codici.size(); ++i) {
    out << (i == 0 ? " " : ", ") << codice::numero(v.codici[i]);
  }
  out << " (see [Error codes](#error-codes)).\n\n";
}

}  // namespace

std::string markdown() {
  std::ostringstream out;
  out << introduzione;
  for (const Testo& t : testi()) {
    out << "\n## " << t.titolo << ": `" << t.nome_file << "`\n\n" << t.descrizione << "\n\n"
        << letture_di(t) << "\n\n";
    for (const Sezione& s : t.sezioni) {
      out << "### `" << s.intestazione << "`\n\n" << s.descrizione << "\n\n";
      for (const Voce& v : s.voci) scrivi_voce(out, v);
    }
  }
  out << "## Warnings\n\n"
         "`scenari-tool check` and an editor warn, by these names, on what the format accepts "
         "but an author almost never means; warnings change nothing in the compaction. Every "
         "rule the tables above mark with `value-range`, `value-step` or `value-order` is "
         "checked on each value: the warning stands on the value and says what the simulator "
         "gets instead. Fields marked `value-overflow` share one stored value: where values "
         "each within their rules add up past the digits one of them owns, the warning stands "
         "on the field that takes them past and says what the simulator reads of each. A value at the edge of its range is no warning; a value the format "
         "cannot hold at all is the error the table names.\n\n"
         "| Warning | What it says |\n|---|---|\n";
  for (const controllo::Descrizione& d : controllo::tabella) {
    out << "| <a id=\"warning-" << d.nome << "\"></a>`" << d.nome << "` | " << d.significato << " |\n";
  }
  out << "\n## Error codes\n\n"
         "`scenari-tool check` and `compile` report each problem with its code, the file, the "
         "line and the position in metres. The codes of the format stop the reading of their "
         "text, as the format prescribes (code 15 in the line text ends its body, and the train "
         "text is still read); codes 104 to 114 refuse one entry the model cannot hold: that "
         "entry has no effect and reading goes on with the next. Codes 1250 and 1251 stop the "
         "compile: no binary file is written. `check` and an editor then read on past each stop "
         "for checking only, as if the stopping entry were absent, the train text too when the "
         "line text stopped: what that finds is reported marked as found after the stop, and "
         "changes nothing that `compile` writes.\n\n"
         "| Code | Meaning | After it | How to fix |\n|---|---|---|---|\n";
  for (const codice::Descrizione& d : codice::tutti()) {
    const char* dopo = d.codice >= codice::partenza_primo_valore ? "no file is written"
                       : d.del_formato                          ? "reading stops"
                       : d.codice == codice::senza_lunghezza
                           ? "nothing to build"
                           : "the entry is left out";
    const std::int32_t numero = codice::numero(d.codice);
    // The anchor is where an editor's link for the code lands.
    out << "| <a id=\"code-" << numero << "\"></a>" << numero << " | " << d.significato << " | "
        << dopo << " | " << d.aiuto << " |\n";
  }
  return out.str();
}

}  // namespace scenari::riferimento
