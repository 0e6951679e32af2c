#include "core/lettura/campi.h"
#include "core/lettura/lettura_linea.h"

namespace scenari {

namespace {

// nearest(d / 5 + s * 20): twenty times the s-side speed plus one fifth of
// the d-side speed, which must fit the 16-bit cell member; `indice` is the
// pair's place, 0 for the a speeds.
std::int16_t velocita_impaccata(std::int32_t s, std::int32_t d, std::size_t indice) {
  const std::int64_t valore = codifica_cartello_velocita(s, d);
  if (valore < INT16_MIN || valore > INT16_MAX) {
    throw ValoreFuoriCampo(indice, "the packed speed " + std::to_string(valore) +
                           " of an indicator board does not fit 16 bits");
  }
  return static_cast<std::int16_t>(valore);
}

}  // namespace

bool memo_indicatori_v_max(Modello& m, const IndicatoreVMax& i, const Luogo& voce) {
  const std::int64_t k = cella_punto(i.posizione);
  cella& c = m.celle_percorso[static_cast<std::size_t>(k)];
  if (!cella_libera(c)) return false;
  c.tipo = tipo_cella::indicatore_velocita;
  m.segna_origine(k, voce);
  c.dato1 = velocita_impaccata(i.vas, i.vad, 0);
  c.dato2 = velocita_impaccata(i.vbs, i.vbd, 1);
  c.dato3 = velocita_impaccata(i.vcs, i.vcd, 2);
  // 16-bit arithmetic, wrapping.
  c.dato4 = static_cast<std::int16_t>(codifica_coppia(i.strisces, i.strisced));
  return true;
}

}  // namespace scenari
