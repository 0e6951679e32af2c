// memo_segnale: places one signal and its four approach cells.
#include "core/lettura/lettura_treno.h"
#include "core/lettura/voci_treno.h"

namespace scenari {

namespace {

// The approach cells lie every 100 m back from the signal, down to 8 cells
// before it.
constexpr std::int64_t distanza_avvicinamento = 8;

// Signal times up to 100 are raised to 101, the shortest time the simulator
// accepts.
std::int32_t tempo_ammesso(std::int32_t tempo) { return (tempo >= 1 && tempo <= 100) ? 101 : tempo; }

}  // namespace

void memo_segnale(Modello& m, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1,
                  std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx,
                  std::int32_t& d1, std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo,
                  std::int32_t riga) {
  if (posizione < 0) {
    m.registra_errore(codice_posizione_negativa, posizione, riga);
    return;
  }
  const std::int64_t i = arrotonda(static_cast<std::int64_t>(posizione) + 50, 50);
  if (i > m.ultima_cella()) {
    m.registra_errore(15, posizione, riga);
    return;
  }
  // Approach cells before cell 0 cannot be marked: refuse the signal whole.
  if (i < distanza_avvicinamento) {
    m.registra_errore(codice_avvicinamento_fuori, posizione, riga);
    return;
  }
  cella& segnale = m.celle_percorso[static_cast<std::size_t>(i)];
  if (!cella_libera(segnale)) {
    m.registra_errore(16, posizione, riga);
    return;
  }
  // Products are taken in 64 bits and then narrowed: the members keep the
  // low bits, as 16-bit and 8-bit arithmetic would.
  const std::int64_t aspetto = static_cast<std::int64_t>(sx) * 3 + dx;
  segnale.tipo = 1;
  segnale.dato4 = basso16(static_cast<std::int64_t>(rapp) * 10 + aspetto);
  segnale.dato1 = basso16(static_cast<std::int64_t>(s1) * 10 + d1);
  segnale.dato2 = basso16(static_cast<std::int64_t>(s2) * 10 + d2);
  segnale.dato3 = basso16(static_cast<std::int64_t>(s3) * 10 + d3);
  tempo = tempo_ammesso(tempo);
  segnale.tempo_segnale = sx == 2 ? basso8(tempo) : 0;
  for (std::int64_t k = 1; k <= 4; ++k) {
    m.celle_percorso[static_cast<std::size_t>(i - 2 * k)].avvicinamento =
        basso8(aspetto * 10 + k);
  }
}

}  // namespace scenari
