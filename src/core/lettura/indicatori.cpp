#include "core/lettura/campi.h"
#include "core/lettura/lettura_linea.h"

namespace scenari {

namespace {

// nearest(d / 5 + s * 20): twenty times the s-side speed plus one fifth of
// the d-side speed, which must fit the 16-bit cell member.
std::int16_t velocita_impaccata(std::int32_t s, std::int32_t d) {
  const std::int64_t valore = arrotonda(std::int64_t{d} + std::int64_t{s} * 100, 5);
  if (valore < INT16_MIN || valore > INT16_MAX) {
    throw ErroreLettura("speed indicator value " + std::to_string(valore) +
                        " does not fit 16 bits");
  }
  return static_cast<std::int16_t>(valore);
}

}  // namespace

void memo_indicatori_v_max(Modello& m, std::int32_t posizione, std::int32_t& vas,
                           std::int32_t& vbs, std::int32_t& vcs, std::int16_t& strisces,
                           std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                           std::int16_t& strisced) {
  cella& c = m.celle_percorso[static_cast<std::size_t>(arrotonda(std::int64_t{posizione} + 50, 50))];
  if (!cella_libera(c)) {
    m.codice_errore = 21;
    return;
  }
  c.tipo = 6;
  c.dato1 = velocita_impaccata(vas, vad);
  c.dato2 = velocita_impaccata(vbs, vbd);
  c.dato3 = velocita_impaccata(vcs, vcd);
  // 16-bit arithmetic, wrapping.
  c.dato4 = static_cast<std::int16_t>(strisces * 10 + strisced);
}

}  // namespace scenari
