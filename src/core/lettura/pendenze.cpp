#include "core/lettura/pendenze.h"

namespace scenari {

void RiempimentoPendenze::riempi_fino_a(Modello& m, std::int64_t fine) {
  const std::uint8_t codificato = codifica_pendenza(valore_);
  do {
    if (indice_ > m.ultima_cella()) return;
    m.celle_percorso[static_cast<std::size_t>(indice_)].pendenza = codificato;
    ++indice_;
  } while (indice_ < fine);
}

void RiempimentoPendenze::linea(Modello& m, std::int32_t posizione, std::int32_t pendenza) {
  const std::int64_t cella = cella_profilo(posizione);
  if (cella > 0) riempi_fino_a(m, cella);
  valore_ = pendenza;
}

void RiempimentoPendenze::completa(Modello& m) { riempi_fino_a(m, m.ultima_cella() - 2); }

}  // namespace scenari
