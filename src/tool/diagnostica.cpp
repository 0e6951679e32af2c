#include "tool/diagnostica.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "tool/cp1252.h"

namespace scenari::tool {

namespace {

constexpr const char* rosso = "\033[1;31m";
constexpr const char* giallo = "\033[1;33m";
constexpr const char* ciano = "\033[1;36m";
constexpr const char* grassetto = "\033[1m";
constexpr const char* normale = "\033[0m";

// Blanks as wide as the text before `colonna`, tabs kept so the caret lines
// up under a tabbed line too.
std::string rientro(std::string_view riga, std::int32_t colonna) {
  std::string spazi;
  for (std::int32_t i = 0; i + 1 < colonna && static_cast<std::size_t>(i) < riga.size(); ++i) {
    spazi += riga[static_cast<std::size_t>(i)] == '\t' ? '\t' : ' ';
  }
  return spazi;
}

// The column after the field, end exclusive: one character past the column
// when no field is known.
std::int32_t fine_colonna(const Luogo& l) {
  if (l.colonna <= 0) return 0;
  return std::max(l.fine, l.colonna + 1);
}

std::string luogo_testo(const Luogo& l) {
  if (l.file.empty()) return "";
  std::string t = l.file;
  if (l.riga > 0) t += ":" + std::to_string(l.riga);
  if (l.riga > 0 && l.colonna > 0) t += ":" + std::to_string(l.colonna);
  return t;
}

class Penna {
 public:
  Penna(std::ostream& out, StileDiagnostica stile) : out_(out), stile_(stile) {}
  std::ostream& in(const char* colore) {
    if (stile_.colore) out_ << colore;
    return out_;
  }
  std::ostream& fine() {
    if (stile_.colore) out_ << normale;
    return out_;
  }

 private:
  std::ostream& out_;
  StileDiagnostica stile_;
};

// A caret under the first character of the field, a tilde under each of
// the others.
std::string sottolineatura(const Luogo& l) {
  return "^" + std::string(static_cast<std::size_t>(std::max(l.fine - l.colonna - 1, 0)), '~');
}

void scrivi_sorgente(std::ostream& out, Penna& penna, const Problema& p, const Sorgenti& sorgenti) {
  if (p.luogo.riga <= 0) return;
  const std::optional<std::string_view> riga = sorgenti.riga(p.luogo.file, p.luogo.riga);
  if (!riga) return;
  const std::string numero = std::to_string(p.luogo.riga);
  const std::string margine(numero.size() + 1, ' ');
  out << ' ' << numero << " | " << utf8_da_1252(*riga) << '\n';
  out << margine << " | " << rientro(*riga, p.luogo.colonna);
  penna.in(p.errore() ? rosso : giallo) << sottolineatura(p.luogo);
  penna.fine() << '\n';
}

}  // namespace

Sorgenti::Sorgenti(const std::map<std::string, std::string>& testi) {
  for (const auto& [file, testo] : testi) indici_.emplace(file, IndiceRighe(testo));
}

std::optional<std::string_view> Sorgenti::riga(const std::string& file, std::int32_t riga) const {
  const auto indice = indici_.find(file);
  if (indice == indici_.end()) return std::nullopt;
  return indice->second.riga(riga);
}

std::string etichetta(const Problema& p) {
  if (p.codice) return "error[" + std::to_string(codice::numero(*p.codice)) + "]";
  return "warning[" + p.controllo + "]";
}

void scrivi_diagnostica(std::ostream& out, const Problema& p, const Sorgenti& sorgenti,
                        StileDiagnostica stile) {
  Penna penna(out, stile);
  const std::string dove = luogo_testo(p.luogo);
  if (!dove.empty()) penna.in(grassetto) << dove << ": ";
  penna.in(p.errore() ? rosso : giallo) << etichetta(p);
  penna.fine();
  penna.in(grassetto) << ": " << p.messaggio;
  if (p.posizione) out << " (at " << *p.posizione << " m)";
  penna.fine() << '\n';
  scrivi_sorgente(out, penna, p, sorgenti);
  if (!p.dettaglio.empty()) out << "  = " << utf8_da_1252(p.dettaglio) << '\n';
  for (const Nota& n : p.note) {
    penna.in(ciano) << "note";
    penna.fine() << ": ";
    const std::string dove_nota = luogo_testo(n.luogo);
    if (!dove_nota.empty()) out << dove_nota << ": ";
    out << utf8_da_1252(n.messaggio) << '\n';
  }
  if (!p.aiuto.empty()) {
    penna.in(ciano) << "help";
    penna.fine() << ": " << p.aiuto << '\n';
  }
}

nlohmann::json problema_json(const Problema& p) {
  nlohmann::json note = nlohmann::json::array();
  for (const Nota& n : p.note) {
    note.push_back({{"file", n.luogo.file}, {"line", n.luogo.riga}, {"message", utf8_da_1252(n.messaggio)}});
  }
  return {{"severity", p.errore() ? "error" : "warning"},
          {"code", p.codice ? nlohmann::json(codice::numero(*p.codice)) : nlohmann::json(nullptr)},
          {"check", p.controllo},
          {"file", p.luogo.file},
          {"line", p.luogo.riga},
          {"column", p.luogo.colonna},
          {"end_column", fine_colonna(p.luogo)},
          {"position", p.posizione ? nlohmann::json(*p.posizione) : nlohmann::json(nullptr)},
          {"message", p.messaggio},
          {"detail", utf8_da_1252(p.dettaglio)},
          {"notes", note},
          {"after_stop", p.dopo_arresto ? nlohmann::json{{"file", p.dopo_arresto->file},
                                                         {"line", p.dopo_arresto->riga}}
                                        : nlohmann::json(nullptr)},
          {"hint", p.aiuto.empty() ? nlohmann::json(nullptr) : nlohmann::json(p.aiuto)}};
}

}  // namespace scenari::tool
