// memo_rallentamento: places one slowdown: start and end cells, the warning
// board 1200 m before the start and, when asked, the four cells before it.
#include "core/lettura/lettura_treno.h"
#include "core/lettura/luogo.h"
#include "core/lettura/voci_treno.h"
#include "core/modello/codici.h"

namespace scenari {

namespace {

// Slowdowns starting this close to the route start get no warning board.
constexpr std::int32_t senza_cartello_fino_a = 1500;
constexpr std::int64_t anticipo_cartello = 1200;

// Refuses slowdowns whose cells the route cannot hold, or whose end would
// not follow its start. Returns the refusal code, none when acceptable.
std::optional<Codice> rifiuto(const Modello& m, std::int32_t x, std::int64_t inizio,
                              std::int64_t fine) {
  if (x < 0) return codice::posizione_negativa;
  if (inizio > m.ultima_cella()) return codice::oltre_percorso;
  if (fine > m.ultima_cella()) return codice::rallentamento_fuori;
  if (fine <= inizio) return codice::rallentamento_corto;
  return std::nullopt;
}

void segna(cella& c, std::uint8_t tipo, std::int32_t v, std::int32_t d_v) {
  c.tipo = tipo;
  if (d_v != 0) c.dato2 = basso16(d_v);
  c.dato1 = basso16(v);
}

}  // namespace

void memo_rallentamento(Modello& m, const Rallentamento& r, const Luogo& voce) {
  const std::int32_t x = r.x;
  const std::int64_t inizio = cella_punto(x);
  const std::int64_t fine = cella_punto(static_cast<std::int64_t>(x) + r.l);
  if (const std::optional<Codice> codice = rifiuto(m, x, inizio, fine)) {
    m.registra_errore(*codice, x, voce);
    return;
  }
  auto cella_n = [&m](std::int64_t n) -> cella& {
    return m.celle_percorso[static_cast<std::size_t>(n)];
  };
  const bool con_cartello = x > senza_cartello_fino_a;
  // x > 1500 keeps the board at cell 7 or later and the pre-board cells at 3
  // or later.
  const std::int64_t cartello = cella_punto(static_cast<std::int64_t>(x) - anticipo_cartello);
  if (con_cartello && !cella_libera(cella_n(cartello))) {
    registra_cella_occupata(m, codice::cella_avviso_occupata, x, voce, cartello);
    return;
  }
  if (!cella_libera(cella_n(inizio))) {
    registra_cella_occupata(m, codice::cella_inizio_occupata, x, voce, inizio);
    return;
  }
  if (!cella_libera(cella_n(fine))) {
    registra_cella_occupata(m, codice::cella_fine_occupata, x, voce, fine);
    return;
  }
  segna(cella_n(fine), tipo_cella::fine_rallentamento, r.v, r.d_v);
  segna(cella_n(inizio), tipo_cella::inizio_rallentamento, r.v, r.d_v);
  m.segna_origine(fine, voce);
  m.segna_origine(inizio, voce);
  if (con_cartello) {
    segna(cella_n(cartello), tipo_cella::cartello_avviso, r.v, r.d_v);
    m.segna_origine(cartello, voce);
  }
  cella_n(inizio).dato3 = basso16(r.f_tt);
  cella_n(fine).dato3 = basso16(r.f_tt);
  if (!con_cartello || r.f_ta == 0) return;

  const std::int64_t k0 = cella_profilo(static_cast<std::int64_t>(x) - anticipo_cartello);
  for (std::int64_t j = 0; j <= 3; ++j) {
    if (!cella_libera(cella_n(k0 - j))) {
      registra_cella_occupata(m, codice::cella_preavviso_occupata, x, voce, k0 - j);
      return;
    }
  }
  for (std::int64_t j = 0; j <= 3; ++j) {
    cella& c = cella_n(k0 - j);
    c.tipo = tipo_cella::prima_dell_avviso;
    m.segna_origine(k0 - j, voce);
    c.dato1 = basso16(j + 1);
    if (r.d_v != 0) c.dato2 = basso16(j + 1);
  }
}

}  // namespace scenari
