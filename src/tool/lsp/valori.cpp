#include "tool/lsp/valori.h"

namespace scenari::lsp {

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }

Tratto stretto(std::string_view riga, std::size_t inizio, std::size_t fine) {
  while (inizio < fine && spazio(riga[inizio])) ++inizio;
  while (fine > inizio && spazio(riga[fine - 1])) --fine;
  return {inizio, fine};
}

// The end of the comma field that starts at `pos`.
std::size_t fine_campo(std::string_view riga, std::size_t pos) {
  while (pos < riga.size() && spazio(riga[pos])) ++pos;
  if (pos < riga.size() && riga[pos] == '"') {
    const std::size_t chiusa = riga.find('"', pos + 1);
    pos = chiusa == std::string_view::npos ? riga.size() : chiusa + 1;
  }
  return std::min(riga.find(',', pos), riga.size());
}

}  // namespace

Tratto campo_chiave(std::string_view riga) { return stretto(riga, 0, fine_campo(riga, 0)); }

std::vector<Tratto> valori_di(std::string_view riga, const riferimento::Voce& voce) {
  std::vector<Tratto> valori;
  std::size_t pos = fine_campo(riga, 0);
  while (pos < riga.size()) {
    const std::size_t inizio = pos + 1;
    const std::size_t i = valori.size();
    const bool testo = i < voce.campi.size() && voce.campi[i].unita == "text";
    if (testo && i + 1 == voce.campi.size()) {
      valori.push_back(stretto(riga, inizio, riga.size()));
      return valori;
    }
    pos = fine_campo(riga, inizio);
    const Tratto campo = stretto(riga, inizio, pos);
    if (testo) {
      valori.push_back(campo);
      continue;
    }
    // A number ends at a blank: "7   59   47" are three values.
    std::size_t k = campo.inizio;
    do {
      const std::size_t inizio_valore = k;
      while (k < campo.fine && !spazio(riga[k])) ++k;
      valori.push_back({inizio_valore, k});
      while (k < campo.fine && spazio(riga[k])) ++k;
    } while (k < campo.fine);
  }
  return valori;
}

}  // namespace scenari::lsp
