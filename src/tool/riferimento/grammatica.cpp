#include "tool/riferimento/grammatica.h"

#include <nlohmann/json.hpp>

namespace scenari::riferimento {

namespace {

using nlohmann::json;

// A line's first field, the one the reader takes as the keyword field.
constexpr std::string_view campo_chiave = "[^,\\r\\n]*";

std::string letterale(std::string_view parola) {
  std::string r;
  for (char c : parola) {
    if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) r += '\\';
    r += c;
  }
  return r;
}

// The reader tests each word as a substring of the keyword field, so each
// is a lookahead over the field, with or without capitals told apart.
json voce(const Voce& v, const std::string& ambito) {
  std::string espressione = "^";
  for (std::string_view p : v.contiene) {
    const std::string parola = v.maiuscole_distinte ? letterale(p) : "(?i:" + letterale(p) + ")";
    espressione += "(?=" + std::string(campo_chiave) + "?" + parola + ")";
  }
  espressione += campo_chiave;
  return {{"comment", v.parola}, {"match", espressione}, {"name", "keyword.other.entry." + ambito}};
}

json intestazioni(const Testo& testo, const std::string& ambito) {
  std::string nomi = "fine";
  for (const Sezione& s : testo.sezioni) {
    nomi += "|" + letterale(s.intestazione.substr(1, s.intestazione.size() - 2));
  }
  const json parentesi = {{"1", {{"name", "punctuation.definition.section.begin." + ambito}}},
                          {"2", {{"name", "punctuation.definition.section.end." + ambito}}}};
  return {{"patterns",
           {{{"match", "^\\s*(\\[)(?i:" + nomi + ")(\\])"},
             {"name", "entity.name.section." + ambito},
             {"captures", parentesi}},
            {{"match", "^\\s*(\\[)[^\\]\\r\\n]*(\\])"},
             {"name", "invalid.illegal.unknown-section." + ambito}}}}};
}

json valori(const std::string& ambito) {
  // A value stands between commas, blanks and the line's ends: "2,000" is
  // two numbers, "7  59  47" three, and "BIVIO 2" a name.
  return {{"patterns",
           {{{"match", "\"[^\"\\r\\n]*\"?"}, {"name", "string.quoted.double." + ambito}},
            {{"match", ","}, {"name", "punctuation.separator.comma." + ambito}},
            {{"match", "(?<![^,\\s])-?[0-9]+(?:\\.[0-9]*)?(?![^,\\s])"},
             {"name", "constant.numeric." + ambito}},
            {{"match", "(?<![^,\\s])[^,\\s\"][^,\\r\\n]*"},
             {"name", "string.unquoted.name." + ambito}}}}};
}

}  // namespace

std::string grammatica(const Testo& testo, std::string_view lingua) {
  const std::string ambito = "scenari-" + std::string(lingua);
  json voci = json::array();
  for (const Sezione& s : testo.sezioni) {
    for (const Voce& v : s.voci) voci.push_back(voce(v, ambito));
  }
  json g = {
      {"name", std::string(testo.titolo)},
      {"scopeName", "source." + ambito},
      {"comment",
       "Generated from src/tool/riferimento by build/release/scenari-riferimento " +
           std::string(lingua) + "; edit the table there, not this file."},
      // A keyword field holding a "-" is passed over before any other test,
      // so the comment comes first; a keyword field that is none of the
      // entries' is passed over too, and shown as a mistake.
      {"patterns",
       {{{"include", "#commento"}},
        {{"include", "#intestazioni"}},
        {{"include", "#voci"}},
        {{"include", "#sconosciuta"}},
        {{"include", "#valori"}}}},
      {"repository",
       {{"commento",
         {{"match", "^" + std::string(campo_chiave) + "-" + std::string(campo_chiave)},
          {"name", "comment.line.dash." + ambito}}},
        {"intestazioni", intestazioni(testo, ambito)},
        {"voci", {{"patterns", voci}}},
        {"sconosciuta",
         {{"match", "^\\s*[^\\s,0-9\"+.\\-][^,\\r\\n]*"},
          {"name", "invalid.illegal.unknown-keyword." + ambito}}},
        {"valori", valori(ambito)}}},
  };
  return g.dump(2) + "\n";
}

}  // namespace scenari::riferimento
