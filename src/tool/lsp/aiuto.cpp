#include "tool/lsp/aiuto.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "tool/lsp/completa_valori.h"
#include "tool/lsp/righe.h"

namespace scenari::lsp {

namespace {

using nlohmann::json;

bool stessa(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

const riferimento::Sezione* sezione_di(const riferimento::Testo& testo, std::string_view campo) {
  const std::size_t chiusa = campo.find(']');
  if (!campo.starts_with('[') || chiusa == std::string_view::npos) return nullptr;
  for (const riferimento::Sezione& s : testo.sezioni) {
    if (stessa(s.intestazione, campo.substr(0, chiusa + 1))) return &s;
  }
  return nullptr;
}

std::string markdown_voce(const riferimento::Voce& v) {
  std::string md = "**" + std::string(v.parola) + "**: " + std::string(v.descrizione) +
                   "\n\n```\n" + std::string(v.esempio) + "\n```\n\n" +
                   std::string(v.compattazione);
  return md;
}

std::string markdown_campo(const riferimento::Voce& v, std::size_t i) {
  const riferimento::Campo& c = v.campi[i];
  std::string md = "**" + std::string(c.nome) + "**";
  if (!c.unita.empty()) md += " (" + std::string(c.unita) + ")";
  md += ", value " + std::to_string(i + 1) + " of " + std::to_string(v.campi.size()) + " of `" +
        std::string(v.parola) + "`\n\nRange: " + std::string(c.intervallo) + "\n\n" +
        std::string(c.effetto);
  return md;
}

bool dentro(const Tratto& t, std::size_t pos) { return pos >= t.inizio && pos <= t.fine; }

// Snippet syntax gives '$', '}' and '\' a meaning.
std::string segnaposto(std::string_view nome) {
  std::string s;
  for (char c : nome) {
    if (c == '$' || c == '}' || c == '\\') s.push_back('\\');
    s.push_back(c);
  }
  return s;
}

std::string snippet_di(const riferimento::Voce& v) {
  std::string s = std::string(v.parola);
  for (std::size_t i = 0; i < v.campi.size(); ++i) {
    s += ", ${" + std::to_string(i + 1) + ":" + segnaposto(v.campi[i].nome) + "}";
  }
  return s;
}

std::string ordine(std::size_t n) {
  char testo[16];
  std::snprintf(testo, sizeof testo, "%04zu", n);
  return testo;
}

}  // namespace

std::optional<Aiuto> aiuto_campo(const riferimento::Testo& testo, std::string_view riga,
                                 std::size_t pos) {
  const Tratto chiave = campo_chiave(riga);
  const std::string_view parola = riga.substr(chiave.inizio, chiave.fine - chiave.inizio);
  if (parola.empty()) return std::nullopt;
  if (const riferimento::Sezione* s = sezione_di(testo, parola)) {
    if (!dentro(chiave, pos)) return std::nullopt;
    return Aiuto{"**" + std::string(s->intestazione) + "**: " + std::string(s->descrizione),
                 chiave};
  }
  const riferimento::Voce* voce = riferimento::voce_di(testo, parola);
  if (voce == nullptr) return std::nullopt;
  if (dentro(chiave, pos)) return Aiuto{markdown_voce(*voce), chiave};
  const std::vector<Tratto> valori = valori_di(riga, *voce);
  for (std::size_t i = 0; i < valori.size(); ++i) {
    // The blanks before a value are its field's too.
    const bool davanti =
        pos < valori[i].inizio &&
        riga.substr(pos, valori[i].inizio - pos).find(',') == std::string_view::npos;
    if (!dentro(valori[i], pos) && !davanti) continue;
    if (i >= voce->campi.size()) {
      return Aiuto{"An extra value: `" + std::string(voce->parola) + "` takes " +
                       std::to_string(voce->campi.size()) + ", and the rest are read as keywords.",
                   valori[i]};
    }
    return Aiuto{markdown_campo(*voce, i), valori[i]};
  }
  return std::nullopt;
}

json completamenti(const riferimento::Testo& testo, const RichiestaCompletamento& r) {
  json voci = json::array();
  const std::size_t virgola = r.riga.find(',');
  if (virgola != std::string_view::npos && r.pos > virgola) return completa_valori(testo, r);
  std::size_t inizio = 0;
  while (inizio < r.pos && (r.riga[inizio] == ' ' || r.riga[inizio] == '\t')) ++inizio;
  const json intervallo = {
      {"start", {{"line", r.linea}, {"character", utf16_da_byte(r.riga, inizio)}}},
      {"end", {{"line", r.linea}, {"character", utf16_da_byte(r.riga, r.pos)}}}};
  // A line that already holds values takes the keyword alone.
  const bool con_campi = r.snippet && virgola == std::string_view::npos;
  std::size_t n = 0;
  for (const riferimento::Sezione& s : testo.sezioni) {
    const std::string intestazione(s.intestazione);
    voci.push_back(
        {{"label", intestazione},
         {"kind", 9},
         {"detail", "section"},
         {"documentation", {{"kind", "markdown"}, {"value", std::string(s.descrizione)}}},
         {"sortText", ordine(n++)},
         {"textEdit", {{"range", intervallo}, {"newText", intestazione}}}});
    for (const riferimento::Voce& v : s.voci) {
      const std::string parola(v.parola);
      voci.push_back(
          {{"label", parola},
           {"kind", 14},
           {"detail", intestazione},
           {"documentation", {{"kind", "markdown"}, {"value", markdown_voce(v)}}},
           {"sortText", ordine(n++)},
           {"insertTextFormat", con_campi ? 2 : 1},
           {"textEdit", {{"range", intervallo}, {"newText", con_campi ? snippet_di(v) : parola}}}});
    }
  }
  return voci;
}

}  // namespace scenari::lsp
