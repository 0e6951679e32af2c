#include "tool/lsp/diagnostiche.h"

#include <algorithm>

#include "core/lettura/scansione.h"
#include "tool/cp1252.h"
#include "tool/lsp/azioni.h"
#include "tool/lsp/righe.h"

namespace scenari::lsp {

namespace {

using nlohmann::json;

// A text of the scenario with its lines, cut once for all its problems.
struct TestoIndicizzato {
  const TestoAperto& testo;
  IndiceRighe righe;
};

const TestoIndicizzato* testo_di(const std::vector<TestoIndicizzato>& testi, const std::string& file) {
  for (const TestoIndicizzato& t : testi) {
    if (t.testo.file == file) return &t;
  }
  return nullptr;
}

// The problems quote the texts, so they are Windows-1252 like them.
std::string messaggio(const Problema& p) {
  std::string m = p.messaggio;
  if (p.posizione) m += " (at " + std::to_string(*p.posizione) + " m)";
  if (!p.dettaglio.empty()) m += "\n" + p.dettaglio;
  if (!p.aiuto.empty()) m += "\nhelp: " + p.aiuto;
  return tool::utf8_da_1252(m);
}

// The range of a place: its field, or when no field is known the rest of
// the comma field that starts there, or the rest of its line.
json intervallo(const TestoIndicizzato& testo, const Luogo& luogo) {
  const std::size_t linea = std::min<std::size_t>(static_cast<std::size_t>(std::max(luogo.riga, 1)) - 1,
                                                  static_cast<std::size_t>(testo.righe.numero_righe()) - 1);
  const std::string_view riga = testo.righe.righe()[linea];
  const std::size_t inizio =
      byte_da_carattere(riga, static_cast<std::size_t>(std::max(luogo.colonna, 1)) - 1);
  std::size_t fine = 0;
  if (luogo.fine > luogo.colonna) {
    fine = byte_da_carattere(riga, static_cast<std::size_t>(luogo.fine) - 1);
  } else {
    fine = std::min(riga.find(',', inizio), riga.size());
    while (fine > inizio && (riga[fine - 1] == ' ' || riga[fine - 1] == '\t')) --fine;
    if (fine == inizio) fine = riga.size();
  }
  return {{"start", {{"line", linea}, {"character", utf16_da_byte(riga, inizio)}}},
          {"end", {{"line", linea}, {"character", utf16_da_byte(riga, fine)}}}};
}

json diagnostica(const Problema& p, const std::vector<TestoIndicizzato>& testi,
                 const TestoIndicizzato& qui) {
  json d = {{"range", intervallo(qui, p.luogo)},
            {"severity", p.errore() ? 1 : 2},
            {"source", "scenari"},
            {"message", messaggio(p)},
            {"data", {{"check", p.controllo}, {"hint", tool::utf8_da_1252(p.aiuto)}}}};
  // As check prints them: error[16], warning[unknown-keyword].
  if (p.codice) {
    d["code"] = codice::numero(*p.codice);
  } else {
    d["code"] = p.controllo;
  }
  if (p.correzione) d["data"]["fix"] = modifica(qui.righe, *p.correzione);
  json correlate = json::array();
  for (const Nota& n : p.note) {
    if (const TestoIndicizzato* t = testo_di(testi, n.luogo.file)) {
      correlate.push_back({{"location", {{"uri", t->testo.uri}, {"range", intervallo(*t, n.luogo)}}},
                           {"message", tool::utf8_da_1252(n.messaggio)}});
    }
  }
  if (!correlate.empty()) d["relatedInformation"] = std::move(correlate);
  return d;
}

}  // namespace

json diagnostiche(const std::vector<Problema>& problemi, const std::vector<TestoAperto>& testi,
                  std::size_t testo, std::size_t ospite) {
  json lista = json::array();
  std::vector<TestoIndicizzato> indicizzati;
  indicizzati.reserve(testi.size());
  for (const TestoAperto& t : testi) indicizzati.push_back({t, IndiceRighe(t.utf8)});
  const TestoIndicizzato& qui = indicizzati[testo];
  for (const Problema& p : problemi) {
    const bool suo = p.luogo.file.empty() ? testo == ospite : p.luogo.file == qui.testo.file;
    if (suo) lista.push_back(diagnostica(p, indicizzati, qui));
  }
  return lista;
}

}  // namespace scenari::lsp
