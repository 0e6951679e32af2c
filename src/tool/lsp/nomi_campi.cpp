#include "tool/lsp/nomi_campi.h"

#include <string>

#include "tool/lsp/righe.h"
#include "tool/lsp/valori.h"

namespace scenari::lsp {

namespace {

using nlohmann::json;

constexpr int suggerimento_parametro = 2;

std::string spiegazione(const riferimento::Campo& c) {
  std::string s(c.nome);
  if (!c.unita.empty()) s += " (" + std::string(c.unita) + ")";
  return s + ": " + std::string(c.intervallo);
}

}  // namespace

json nomi_campi(const riferimento::Testo& testo, std::string_view utf8, std::size_t da,
                std::size_t a) {
  json suggerimenti = json::array();
  const std::vector<std::string_view> righe = righe_di(utf8);
  for (std::size_t linea = da; linea <= a && linea < righe.size(); ++linea) {
    const std::string_view riga = righe[linea];
    const Tratto chiave = campo_chiave(riga);
    const std::string_view parola = riga.substr(chiave.inizio, chiave.fine - chiave.inizio);
    if (parola.empty() || parola.find('-') != std::string_view::npos) continue;
    const riferimento::Voce* voce = riferimento::voce_di(testo, parola);
    if (voce == nullptr) continue;
    const std::vector<Tratto> valori = valori_di(riga, *voce);
    for (std::size_t i = 0; i < valori.size() && i < voce->campi.size(); ++i) {
      const riferimento::Campo& campo = voce->campi[i];
      suggerimenti.push_back(
          {{"position", {{"line", linea}, {"character", utf16_da_byte(riga, valori[i].inizio)}}},
           {"label", std::string(campo.nome) + ":"},
           {"kind", suggerimento_parametro},
           {"paddingRight", true},
           {"tooltip", spiegazione(campo)}});
    }
  }
  return suggerimenti;
}

}  // namespace scenari::lsp
