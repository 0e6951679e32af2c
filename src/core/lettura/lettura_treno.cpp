#include "core/lettura/lettura_treno.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "core/lettura/campi.h"
#include "core/lettura/luogo.h"
#include "core/modello/codici.h"
#include "core/lettura/stazioni.h"
#include "core/lettura/tabella_voci.h"
#include "core/lettura/voci_treno.h"

namespace scenari {

namespace {

// Point entries must lie this far before the end of the route.
constexpr std::int64_t margine_voce = 100;

// One of the two profiles: the first cell not yet filled and the value in
// force until the next entry.
struct Profilo {
  std::int32_t cursore = 0;
  std::int32_t corrente = 0;
};

struct StatoLettura {
  std::int32_t stazione = voce::prima_stazione;  // record of the next station
  Profilo velocita;
  Profilo aderenza;
  // The speed entry that set the speed in force, for a speed the cells
  // cannot hold.
  Luogo voce_velocita;
  Luogo voce;  // the keyword field of the entry being read
};

// Speed limits are stored in units of 5 km/h in one byte; a speed that does
// not fit is a read failure of the entry that set it.
std::uint8_t velocita_in_cella(std::int32_t velocita, const Luogo& voce) {
  const std::int64_t quinti = passi_velocita(velocita);
  if (quinti < 0 || quinti > 255) {
    throw ErroreLettura(Tratto{voce.riga, voce.colonna, voce.fine},
                        "a speed of " + std::to_string(velocita) +
                            " km/h does not fit the speed-limit field (0 to 1277)");
  }
  return static_cast<std::uint8_t>(quinti);
}

// The range test shared by the point entries; a failure ends the reading but
// the profiles are still completed.
bool fuori_percorso(Modello& m, const Luogo& voce, std::int32_t posizione) {
  if (entro_percorso(m, posizione, margine_voce)) return false;
  m.registra_errore(codice::oltre_percorso, posizione, voce);
  return true;
}

// Checks common to every positioned entry: the range test, then the refusal
// of positions before the start of the route.
Seguito verifica_posizione(Modello& m, const Luogo& voce, std::int32_t posizione) {
  if (fuori_percorso(m, voce, posizione)) return Seguito::fine_testo;
  if (posizione < 0) {
    m.registra_errore(codice::posizione_negativa, posizione, voce);
    return Seguito::rifiutata;
  }
  return Seguito::continua;
}

// Fills the speed limit in force up to cell n - 1, at least one cell, never
// the last cell.
void estendi_velocita(Modello& m, Profilo& p, std::int64_t n, const Luogo& voce) {
  do {
    if (p.cursore >= m.ultima_cella()) return;
    m.celle_percorso[static_cast<std::size_t>(p.cursore)].velocita_limite =
        velocita_in_cella(p.corrente, voce);
    ++p.cursore;
  } while (p.cursore < n);
}

// Fills the adhesion in force up to cell n - 1, at least one cell. Repeated
// entries at one position push the cursor one cell each, so it stops past
// the last cell.
void estendi_aderenza(Modello& m, Profilo& p, std::int64_t n) {
  do {
    if (p.cursore > m.ultima_cella()) return;
    m.celle_percorso[static_cast<std::size_t>(p.cursore)].aderenza = basso8(p.corrente);
    ++p.cursore;
  } while (p.cursore < n);
}

Seguito voce_velocita(Modello& m, LettoreCampi& lettore, StatoLettura& stato) {
  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  const std::int32_t velocita = lettore.leggi<std::int32_t>();
  if (Seguito e = verifica_posizione(m, stato.voce, posizione); e != Seguito::continua) return e;
  const std::int64_t n = cella_profilo(posizione);
  if (n > 0) estendi_velocita(m, stato.velocita, n, stato.voce_velocita);
  stato.velocita.corrente = velocita;
  stato.voce_velocita = stato.voce;
  return Seguito::continua;
}

Seguito voce_aderenza(Modello& m, LettoreCampi& lettore, StatoLettura& stato) {
  Profilo& p = stato.aderenza;
  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  const std::int32_t aderenza = lettore.leggi<std::int32_t>();
  if (Seguito e = verifica_posizione(m, stato.voce, posizione); e != Seguito::continua) return e;
  const std::int64_t n = cella_profilo(posizione);
  if (n > 0) estendi_aderenza(m, p, n);
  p.corrente = aderenza;
  return Seguito::continua;
}

Seguito voce_abbattimento(Modello& m, LettoreCampi& lettore, const Luogo& voce) {
  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  const std::int32_t valore = lettore.leggi<std::int32_t>();
  if (Seguito e = verifica_posizione(m, voce, posizione); e != Seguito::continua) return e;
  const std::int64_t k = cella_profilo(posizione);
  cella& c = m.celle_percorso[static_cast<std::size_t>(k)];
  if (!cella_libera(c)) {
    registra_cella_occupata(m, codice::cella_abbattimento_occupata, posizione, voce, k);
    return Seguito::arresto;
  }
  m.segna_origine(k, voce);
  if (valore > 0) {
    c.tipo = tipo_cella::abbattimento_con_valore;
    c.dato1 = basso16(valore);
  } else {
    c.tipo = tipo_cella::abbattimento;
  }
  return Seguito::continua;
}

// The earlier code stops the reading at this entry, which takes it over
// with its own position.
void registra_arresto_ereditato(Modello& m, std::int32_t posizione, const Luogo& voce) {
  const auto ultimo = std::find_if(m.problemi.rbegin(), m.problemi.rend(),
                                   Modello::errore_del_formato);
  const Problema precedente = *ultimo;
  const std::string numero = std::to_string(codice::numero(*precedente.codice));
  Problema& p = m.registra_errore(*precedente.codice, posizione, voce);
  p.messaggio = "the train text is read no further: code " + numero +
                " was recorded before this entry";
  p.note.push_back({precedente.luogo, "code " + numero + ": " + precedente.messaggio});
  p.aiuto = "mend the earlier problem; every entry from here on is ignored until then";
}

// After a signal or slowdown any code of the format stops the reading, also
// one that the line reader left behind: then the stop is recorded at this
// entry, with the earlier code and this entry's position. An entry refused
// alone is passed over, whatever code was left before it: it had no effect,
// so it stops nothing. Reading on for checking, an earlier stop is as if
// its entry were absent, and leaves nothing behind.
Seguito dopo_memo(Modello& m, const CursoreLettura& cursore, std::size_t problemi_prima,
                   std::int32_t posizione, const Luogo& voce) {
  const auto nuovi = m.problemi.begin() + static_cast<std::ptrdiff_t>(problemi_prima);
  if (std::any_of(nuovi, m.problemi.end(), Modello::errore_del_formato)) return Seguito::arresto;
  if (std::any_of(nuovi, m.problemi.end(), [](const Problema& p) { return p.errore(); })) {
    return Seguito::rifiutata;
  }
  if (!m.codice_errore() || cursore.leggi_oltre_arresti) return Seguito::continua;
  registra_arresto_ereditato(m, posizione, voce);
  return Seguito::arresto;
}

Seguito voce_segnale(Modello& m, const CursoreLettura& cursore, LettoreCampi& lettore,
                      const Luogo& voce) {
  Segnale s;
  for (std::int32_t* valore : {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3, &s.rapp, &s.dx, &s.d1,
                               &s.d2, &s.d3, &s.tempo}) {
    *valore = lettore.leggi<std::int32_t>();
  }
  if (fuori_percorso(m, voce, s.posizione)) return Seguito::fine_testo;
  const std::size_t prima = m.problemi.size();
  memo_segnale(m, s, voce);
  return dopo_memo(m, cursore, prima, s.posizione, voce);
}

Seguito voce_rallentamento(Modello& m, const CursoreLettura& cursore, LettoreCampi& lettore,
                            const Luogo& voce) {
  Rallentamento r;
  for (std::int32_t* valore : {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) {
    *valore = lettore.leggi<std::int32_t>();
  }
  if (fuori_percorso(m, voce, r.x)) return Seguito::fine_testo;
  const std::size_t prima = m.problemi.size();
  memo_rallentamento(m, r, voce);
  return dopo_memo(m, cursore, prima, r.x, voce);
}

// The values of one entry of the train text, read into the model.
Seguito leggi_voce(riferimento::Parola parola, Modello& m, const CursoreLettura& cursore,
                   LettoreCampi& lettore, StatoLettura& stato) {
  using riferimento::Parola;
  voce_tabella& treno = m.record(voce::treno);
  voce_tabella& orologio = m.record(voce::orologio);
  const Luogo& v = stato.voce;
  switch (parola) {
    case Parola::frenata: treno.valore1 = lettore.leggi<std::int32_t>(); break;
    case Parola::vetture: treno.valore3 = lettore.leggi<std::int32_t>(); break;
    case Parola::velocita: return voce_velocita(m, lettore, stato);
    case Parola::aderenza: return voce_aderenza(m, lettore, stato);
    case Parola::orologio:
      orologio.intero3 = lettore.leggi<std::int16_t>();
      orologio.intero4 = lettore.leggi<std::int16_t>();
      orologio.intero5 = lettore.leggi<std::int16_t>();
      break;
    case Parola::sabbia: orologio.intero1 = lettore.leggi<std::int16_t>(); break;
    case Parola::segnale: return voce_segnale(m, cursore, lettore, v);
    case Parola::rallentamento: return voce_rallentamento(m, cursore, lettore, v);
    case Parola::abbattimento: return voce_abbattimento(m, lettore, v);
    case Parola::stazione: return leggi_stazione(m, cursore, lettore, stato.stazione, v);
    default: break;
  }
  return Seguito::continua;
}

// The keyword tests of the table, in its order and each on its own: a field
// matching several of them reads the values of each in turn, also after one
// of them was refused.
Seguito esegui_voci(Modello& m, const CursoreLettura& cursore, LettoreCampi& lettore,
                     StatoLettura& stato) {
  const std::string campo = cursore.riga;
  for (const riferimento::Parola parola : riferimento::lettura_treno) {
    if (!riferimento::riconosce(parola, campo)) continue;
    if (const Seguito e = leggi_voce(parola, m, cursore, lettore, stato); ferma(e)) return e;
  }
  return Seguito::continua;
}

bool cerca_generale(LettoreCampi& lettore) {
  while (!lettore.fine()) {
    if (contiene_nocase(lettore.leggi_testo(), "[generale]")) return true;
  }
  return false;
}

// Reads the next keyword field into cursore.riga, passing over at most two
// fields that hold a dash. False when the text ends first: its last field is
// never acted on.
bool leggi_parola_chiave(CursoreLettura& cursore, LettoreCampi& lettore, Luogo& voce) {
  cursore.riga = lettore.leggi_testo();
  for (int saltati = 0; !lettore.fine() && saltati < 2 && campo_commento(cursore.riga);
       ++saltati) {
    cursore.riga = lettore.leggi_testo();
  }
  voce = luogo_campo(cursore, lettore);
  return !lettore.fine();
}

// Fills the rest of a profile up to last cell - 3, at least one cell.
template <typename Valore>
void completa(Modello& m, Profilo& p, Valore valore) {
  const std::int32_t limite = m.ultima_cella() - 2;
  do {
    if (p.cursore <= m.ultima_cella()) valore(m.celle_percorso[static_cast<std::size_t>(p.cursore)]);
    ++p.cursore;
  } while (p.cursore < limite);
}

bool multiplo_50(std::int32_t valore) { return valore % 50 == 0; }

// The first value, in the order of the line text, of the kilometric
// progressives that is no multiple of 50; no value when all are.
std::optional<Luogo> progressiva_non_multipla(const Modello& m, const CursoreLettura& cursore) {
  std::optional<Luogo> prima;
  for (int record = voce::progressiva_tre; record <= voce::progressiva_uno; ++record) {
    const voce_tabella& progressiva = m.record(record);
    const auto& luoghi =
        cursore.luoghi_progressive[static_cast<std::size_t>(record - voce::progressiva_tre)];
    const bool valido[] = {multiplo_50(progressiva.valore1), multiplo_50(progressiva.valore2)};
    for (std::size_t i = 0; i < 2; ++i) {
      const bool piu_avanti = prima && std::pair(luoghi[i].riga, luoghi[i].colonna) >
                                           std::pair(prima->riga, prima->colonna);
      if (!valido[i] && !piu_avanti) prima = luoghi[i];
    }
  }
  return prima;
}

// The progressives are checked here, at the end of the train text, though
// written in the line text: the error stands on the value, with a note on
// where the check is made.
void fine_lettura(Modello& m, const CursoreLettura& cursore, StatoLettura& stato,
                  const LettoreCampi& lettore) {
  completa(m, stato.velocita, [&](cella& c) {
    c.velocita_limite = velocita_in_cella(stato.velocita.corrente, stato.voce_velocita);
  });
  completa(m, stato.aderenza, [&](cella& c) { c.aderenza = basso8(stato.aderenza.corrente); });
  const std::optional<Luogo> valore = progressiva_non_multipla(m, cursore);
  if (!valore) return;
  const Luogo fine = luogo_campo(cursore, lettore);
  Problema& p = m.registra_errore(codice::progressiva_non_multipla, std::nullopt,
                                  valore->file.empty() ? fine : *valore,
                                  "the first two values of a progressive are multiples of 50");
  if (!valore->file.empty()) {
    p.note.push_back({fine, "found here, at the end of the train text, where the progressives "
                            "are checked"});
  }
}

}  // namespace

void leggi_treno(Modello& m, CursoreLettura& cursore, std::string_view testo) {
  if (!m.celle_create()) throw ErroreLettura(Tratto{}, "the route cells do not exist yet");
  LettoreCampi lettore(testo, avvisi_nel_modello(m, cursore));
  StatoLettura stato;
  if (cerca_generale(lettore)) {
    while (!lettore.fine() && leggi_parola_chiave(cursore, lettore, stato.voce)) {
      const Seguito esito = con_ripresa(m, cursore, lettore, Seguito::continua,
                                         [&] { return esegui_voci(m, cursore, lettore, stato); });
      if (!ferma(esito) || !cursore.segna_arresto(m)) continue;
      if (esito == Seguito::arresto) return;
      break;
    }
  }
  con_ripresa(m, cursore, lettore, true, [&] {
    fine_lettura(m, cursore, stato, lettore);
    return true;
  });
}

}  // namespace scenari
