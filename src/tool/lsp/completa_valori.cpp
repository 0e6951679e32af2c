#include "tool/lsp/completa_valori.h"

#include <string>

#include "tool/lsp/righe.h"
#include "tool/lsp/valori.h"

namespace scenari::lsp {

namespace {

using nlohmann::json;

constexpr int voce_valore = 12;
constexpr int voce_snippet = 15;
constexpr int formato_snippet = 2;

std::string_view di(std::string_view riga, const Tratto& t) {
  return riga.substr(t.inizio, t.fine - t.inizio);
}

// The value the cursor is in or before: values the cursor is past end
// before it.
std::size_t indice_sotto(const std::vector<Tratto>& valori, std::size_t pos) {
  std::size_t i = 0;
  while (i < valori.size() && valori[i].fine < pos) ++i;
  return i;
}

// The template's example line gives each field a value an author can start
// from.
std::string esempio(const riferimento::Voce& v, std::size_t i) {
  const std::vector<Tratto> valori = valori_di(v.esempio, v);
  return i < valori.size() ? std::string(di(v.esempio, valori[i])) : std::string();
}

std::string segnaposto(std::string_view valore) {
  std::string s;
  for (char c : valore) {
    if (c == '$' || c == '}' || c == '\\') s.push_back('\\');
    s.push_back(c);
  }
  return s;
}

json intervallo(const RichiestaCompletamento& r, std::size_t inizio, std::size_t fine) {
  return {{"start", {{"line", r.linea}, {"character", utf16_da_byte(r.riga, inizio)}}},
          {"end", {{"line", r.linea}, {"character", utf16_da_byte(r.riga, fine)}}}};
}

json voce_del_campo(const riferimento::Voce& v, std::size_t i, const json& dove) {
  const riferimento::Campo& c = v.campi[i];
  std::string dettaglio(c.nome);
  if (!c.unita.empty()) dettaglio += " (" + std::string(c.unita) + ")";
  const std::string valore = esempio(v, i);
  return {{"label", valore},
          {"kind", voce_valore},
          {"detail", dettaglio + ", " + std::string(c.intervallo)},
          {"documentation",
           {{"kind", "markdown"},
            {"value", "**" + dettaglio + "**, value " + std::to_string(i + 1) + " of " +
                          std::to_string(v.campi.size()) + " of `" + std::string(v.parola) +
                          "`\n\nRange: " + std::string(c.intervallo) + "\n\n" +
                          std::string(c.effetto) + "\n\nExample: `" + std::string(v.esempio) +
                          "`"}}},
          {"filterText", valore},
          {"textEdit", {{"range", dove}, {"newText", valore}}}};
}

// The values from field `i` to the last, each a placeholder holding the
// example's value, the first what is written there, if anything.
json voce_del_resto(const riferimento::Voce& v, std::size_t i, const json& dove,
                    std::string_view scritto) {
  std::string nomi;
  std::string testo;
  for (std::size_t k = i; k < v.campi.size(); ++k) {
    nomi += (k == i ? "" : ", ") + std::string(v.campi[k].nome);
    const std::string valore = k == i && !scritto.empty() ? std::string(scritto) : esempio(v, k);
    testo += (k == i ? "" : ", ") + std::string("${") + std::to_string(k - i + 1) + ":" +
             segnaposto(valore) + "}";
  }
  return {{"label", std::string(v.parola) + ": " + nomi},
          {"kind", voce_snippet},
          {"detail", "the rest of the entry"},
          {"documentation", {{"kind", "markdown"}, {"value", "`" + std::string(v.esempio) + "`"}}},
          {"filterText", std::string(scritto)},
          {"insertTextFormat", formato_snippet},
          {"textEdit", {{"range", dove}, {"newText", testo}}}};
}

}  // namespace

json completa_valori(const riferimento::Testo& testo, const RichiestaCompletamento& r) {
  json voci = json::array();
  const Tratto chiave = campo_chiave(r.riga);
  const riferimento::Voce* v = riferimento::voce_di(testo, di(r.riga, chiave));
  if (v == nullptr || di(r.riga, chiave).find('-') != std::string_view::npos) return voci;
  const std::vector<Tratto> valori = valori_di(r.riga, *v);
  const std::size_t i = indice_sotto(valori, r.pos);
  if (i >= v->campi.size()) return voci;
  // The value under the cursor is replaced; between values the text goes in
  // at the cursor.
  const bool dentro = i < valori.size() && valori[i].inizio <= r.pos;
  const Tratto sostituito = dentro ? valori[i] : Tratto{r.pos, r.pos};
  const json dove = intervallo(r, sostituito.inizio, sostituito.fine);
  voci.push_back(voce_del_campo(*v, i, dove));
  const bool fine_riga = r.riga.find_first_not_of(" \t", sostituito.fine) == std::string_view::npos;
  if (r.snippet && fine_riga && i + 1 < v->campi.size()) {
    voci.push_back(voce_del_resto(*v, i, dove, di(r.riga, sostituito)));
  }
  return voci;
}

}  // namespace scenari::lsp
