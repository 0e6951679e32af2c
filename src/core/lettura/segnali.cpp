// memo_segnale: places one signal and its four approach cells.
#include <string>

#include "core/lettura/lettura_treno.h"
#include "core/lettura/luogo.h"
#include "core/lettura/voci_treno.h"
#include "core/modello/codici.h"
#include "core/modello/controlli.h"

namespace scenari {

namespace {

// A signal before 325 m has approach cells that would lie before the
// route: those marks are left out and the author told which.
void avvisa_avvicinamento(Modello& m, std::int32_t posizione, const std::string& saltati,
                          const Luogo& voce) {
  m.registra_avviso(std::string(controllo::nome(controllo::Avviso::approach_before_start)), voce,
                    "the signal at " + std::to_string(posizione) +
                        " m is placed without its approach marks " + saltati +
                        ", which would lie before the start of the route",
                    "approach marks lie every 100 m back from the signal, the fourth 400 m "
                    "before it; place the signal at 325 m or more to have them all");
}

// Signal times up to 100 are raised to 101, the shortest time the simulator
// accepts.
std::int32_t tempo_ammesso(std::int32_t tempo) { return (tempo >= 1 && tempo <= 100) ? 101 : tempo; }

}  // namespace

void memo_segnale(Modello& m, const Segnale& s, const Luogo& voce) {
  if (s.posizione < 0) {
    m.registra_errore(codice::posizione_negativa, s.posizione, voce);
    return;
  }
  const std::int64_t i = cella_punto(s.posizione);
  if (i > m.ultima_cella()) {
    m.registra_errore(codice::oltre_percorso, s.posizione, voce);
    return;
  }
  cella& segnale = m.celle_percorso[static_cast<std::size_t>(i)];
  if (!cella_libera(segnale)) {
    registra_cella_occupata(m, codice::cella_segnale_occupata, s.posizione, voce, i);
    return;
  }
  // Products are taken in 64 bits and then narrowed: the members keep the
  // low bits, as 16-bit and 8-bit arithmetic would.
  const std::int64_t aspetto = codifica_aspetto(s.sx, s.dx);
  segnale.tipo = tipo_cella::segnale;
  m.segna_origine(i, voce);
  segnale.dato4 = basso16(codifica_ripetizione(s.rapp, aspetto));
  segnale.dato1 = basso16(codifica_coppia(s.s1, s.d1));
  segnale.dato2 = basso16(codifica_coppia(s.s2, s.d2));
  segnale.dato3 = basso16(codifica_coppia(s.s3, s.d3));
  segnale.tempo_segnale = s.sx == 2 ? basso8(tempo_ammesso(s.tempo)) : 0;
  std::string saltati;
  for (std::int64_t k = 1; k <= 4; ++k) {
    if (i - 2 * k < 0) {
      saltati += (saltati.empty() ? "" : ", ") + std::to_string(k);
      continue;
    }
    m.celle_percorso[static_cast<std::size_t>(i - 2 * k)].avvicinamento =
        basso8(avvicinamento_segnale(aspetto, k));
  }
  if (!saltati.empty()) avvisa_avvicinamento(m, s.posizione, saltati, voce);
}

}  // namespace scenari
