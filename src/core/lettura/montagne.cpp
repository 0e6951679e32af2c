#include "core/lettura/lettura_linea.h"
#include "core/modello/codici.h"

namespace scenari {

namespace {

// The cells a stretch covers: from the one nearest its start to the one
// before the cell nearest its end.
std::int64_t prima_cella(std::int32_t inizio) { return cella_profilo(inizio); }
std::int64_t ultima_cella(std::int32_t fine) { return cella_profilo(std::int64_t{fine} - metri_per_cella); }

}  // namespace

std::optional<Codice> rifiuto_montagna(const Modello& m, const CursoreLettura& cursore,
                                       std::int32_t inizio, std::int32_t fine) {
  if (fine < 0) return codice::posizione_negativa;
  if (prima_cella(inizio) <= ultima_cella(fine) && ultima_cella(fine) > m.ultima_cella()) {
    return codice::fine_oltre_percorso;
  }
  if (cursore.numero_montagne >= numero_massimo_montagne) return codice::troppe_montagne;
  return std::nullopt;
}

void memo_montagna(Modello& m, CursoreLettura& cursore, Montagna& stretto, const Luogo& voce) {
  const std::int32_t inizio = stretto.inizio;
  const std::int32_t fine = stretto.fine;
  std::int32_t& tipo = stretto.tipo;
  bool marcatori = false;
  if (tipo > 10) {
    tipo -= 10;
    marcatori = true;
  }
  const std::int32_t n = ++cursore.numero_montagne;
  cursore.inizio_montagna[static_cast<std::size_t>(n)] = inizio;
  cursore.fine_montagna[static_cast<std::size_t>(n)] = fine;
  // A stretch that starts at most 150 m after the previous one ends joins it
  // as type 3.
  if (n > 1 && std::int64_t{inizio} - cursore.fine_montagna[static_cast<std::size_t>(n - 1)] <= 150) {
    tipo = 3;
  }
  if (prima_cella(inizio) <= ultima_cella(fine)) {
    m.segna_tratto(m.origini_montagne, prima_cella(inizio), ultima_cella(fine), voce);
  }
  std::int32_t conteggio = 0;
  for (std::int64_t k = prima_cella(inizio); k <= ultima_cella(fine); ++k) {
    cella& c = m.celle_percorso[static_cast<std::size_t>(k)];
    c.montagna = static_cast<std::uint8_t>(tipo);
    ++conteggio;
    if (marcatori && conteggio % 4 == 0 && c.tipo == tipo_cella::vuota) {
      c.tipo = tipo_cella::marcatore_montagna;
    }
  }
}

}  // namespace scenari
