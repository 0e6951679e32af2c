#include "tool/lsp/simboli.h"

#include <optional>

#include "tool/lsp/righe.h"
#include "tool/lsp/valori.h"

namespace scenari::lsp {

namespace {

using nlohmann::json;

constexpr int simbolo_namespace = 3;
constexpr int simbolo_field = 8;

json posizione(std::size_t linea, std::string_view riga, std::size_t byte) {
  return {{"line", linea}, {"character", utf16_da_byte(riga, byte)}};
}

json simbolo(std::string nome, std::string dettaglio, int tipo, std::size_t linea,
             std::string_view riga, const Tratto& chiave) {
  const json scelta = {{"start", posizione(linea, riga, chiave.inizio)},
                       {"end", posizione(linea, riga, chiave.fine)}};
  return {{"name", std::move(nome)},
          {"detail", std::move(dettaglio)},
          {"kind", tipo},
          {"range",
           {{"start", posizione(linea, riga, 0)}, {"end", posizione(linea, riga, riga.size())}}},
          {"selectionRange", scelta}};
}

}  // namespace

json simboli(const riferimento::Testo& testo, std::string_view utf8) {
  json elenco = json::array();
  // The open section, by index: the array may move its elements.
  std::optional<std::size_t> sezione;
  const std::vector<std::string_view> righe = righe_di(utf8);
  for (std::size_t linea = 0; linea < righe.size(); ++linea) {
    const std::string_view riga = righe[linea];
    const Tratto chiave = campo_chiave(riga);
    const std::string parola(riga.substr(chiave.inizio, chiave.fine - chiave.inizio));
    if (parola.empty() || parola.find('-') != std::string::npos) continue;
    if (parola.starts_with('[') && parola.find(']') != std::string::npos) {
      elenco.push_back(simbolo(parola, "section", simbolo_namespace, linea, riga, chiave));
      elenco.back()["children"] = json::array();
      sezione = elenco.size() - 1;
      continue;
    }
    const riferimento::Voce* voce = riferimento::voce_di(testo, parola);
    if (voce == nullptr) continue;
    // An entry is told apart by its first value, a position in the body.
    const std::vector<Tratto> valori = valori_di(riga, *voce);
    std::string nome = parola;
    if (!valori.empty())
      nome += " " + std::string(riga.substr(valori[0].inizio, valori[0].fine - valori[0].inizio));
    json s = simbolo(nome, std::string(voce->parola), simbolo_field, linea, riga, chiave);
    if (!sezione) {
      elenco.push_back(std::move(s));
      continue;
    }
    // A section's range holds its entries.
    json& contenitore = elenco[*sezione];
    contenitore["range"]["end"] = s["range"]["end"];
    contenitore["children"].push_back(std::move(s));
  }
  return elenco;
}

}  // namespace scenari::lsp
