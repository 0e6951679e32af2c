#include "tool/lsp/valori.h"

#include "core/lettura/scansione.h"

namespace scenari::lsp {

namespace {

Tratto in_byte(const scenari::Tratto& t) {
  return {static_cast<std::size_t>(t.inizio) - 1, static_cast<std::size_t>(t.fine) - 1};
}

}  // namespace

Tratto campo_chiave(std::string_view riga) { return in_byte(campi_della_riga(riga, 0).front().tratto); }

std::vector<Tratto> valori_di(std::string_view riga, const riferimento::Voce& voce) {
  const std::vector<Modo> modi = riferimento::modi_di(voce);
  const std::vector<CampoLetto> campi = campi_della_riga(riga, 0, modi, Modo::numero);
  std::vector<Tratto> valori;
  for (std::size_t i = 1; i < campi.size(); ++i) {
    valori.push_back(in_byte(campi[i].tratto));
    if (i == modi.size() && modi.back() == Modo::testo) {
      std::size_t fine = riga.size();
      while (fine > valori.back().inizio && (riga[fine - 1] == ' ' || riga[fine - 1] == '\t')) --fine;
      valori.back().fine = fine;
      break;
    }
  }
  return valori;
}

}  // namespace scenari::lsp
