#include "tool/lsp/azioni.h"

#include <algorithm>
#include <tuple>

#include "tool/cp1252.h"
#include "tool/lsp/righe.h"

namespace scenari::lsp {

namespace {

using nlohmann::json;

std::tuple<std::size_t, std::size_t> punto(const json& posizione) {
  return {posizione.at("line").get<std::size_t>(), posizione.at("character").get<std::size_t>()};
}

// Ranges touch when neither ends before the other starts.
bool si_toccano(const json& a, const json& b) {
  return punto(a.at("start")) <= punto(b.at("end")) && punto(b.at("start")) <= punto(a.at("end"));
}

std::string titolo(const json& fix) {
  const std::string nuovo = fix.at("newText");
  if (nuovo.empty()) return "Remove it";
  if (fix.at("range").at("start") == fix.at("range").at("end")) return "Add \"" + nuovo + "\"";
  return "Write \"" + nuovo + "\"";
}

}  // namespace

json modifica(const IndiceRighe& righe, const Correzione& c) {
  const std::int32_t linea = std::clamp(c.riga, 1, std::max(righe.numero_righe(), 1));
  const std::string_view riga = righe.riga(linea);
  const auto carattere = [&](std::int32_t colonna) {
    const std::size_t byte = byte_da_carattere(riga, static_cast<std::size_t>(std::max(colonna, 1)) - 1);
    return utf16_da_byte(riga, byte);
  };
  return {{"range",
           {{"start", {{"line", linea - 1}, {"character", carattere(c.colonna)}}},
            {"end", {{"line", linea - 1}, {"character", carattere(c.fine)}}}}},
          {"newText", tool::utf8_da_1252(c.testo)}};
}

json azioni(const std::string& uri, const json& diagnostiche, const json& intervallo) {
  json elenco = json::array();
  for (const json& d : diagnostiche) {
    if (!d.contains("data") || !d.at("data").contains("fix")) continue;
    if (!si_toccano(d.at("range"), intervallo)) continue;
    const json& fix = d.at("data").at("fix");
    elenco.push_back({{"title", titolo(fix)},
                      {"kind", "quickfix"},
                      {"diagnostics", json::array({d})},
                      {"isPreferred", true},
                      {"edit", {{"changes", {{uri, json::array({fix})}}}}}});
  }
  return elenco;
}

}  // namespace scenari::lsp
