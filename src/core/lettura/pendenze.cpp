#include "core/lettura/pendenze.h"

namespace scenari {

void RiempimentoPendenze::riempi_fino_a(Modello& m, std::int64_t fine) {
  // pendenza holds the low 8 bits of the value plus 100.
  const auto codificato = static_cast<std::uint8_t>(static_cast<std::uint32_t>(valore_) + 100u);
  do {
    if (indice_ > m.ultima_cella()) return;
    m.celle_percorso[static_cast<std::size_t>(indice_)].pendenza = codificato;
    ++indice_;
  } while (indice_ < fine);
}

void RiempimentoPendenze::linea(Modello& m, std::int32_t posizione, std::int32_t pendenza) {
  const std::int64_t cella = arrotonda(posizione, 50);
  if (cella > 0) riempi_fino_a(m, cella);
  valore_ = pendenza;
}

void RiempimentoPendenze::completa(Modello& m) { riempi_fino_a(m, m.ultima_cella() - 2); }

}  // namespace scenari
