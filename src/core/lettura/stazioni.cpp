#include "core/lettura/stazioni.h"

#include <limits>
#include <optional>
#include <string>

#include "core/modello/codici.h"

namespace scenari {

namespace {

// Stations must end at least this far before the end of the route.
constexpr std::int64_t margine_stazione = 800;
// Consecutive platforms keep this many metres between them.
constexpr std::int64_t distanza_marciapiedi = 350;
// Types from here up get a record but mark no cells.
constexpr std::uint8_t primo_tipo_senza_celle = 25;

Seguito arresta_in(Modello& m, const Luogo& voce, Codice codice,
                    std::optional<std::int32_t> posizione) {
  m.registra_errore(codice, posizione, voce);
  return Seguito::arresto;
}

// A computed value that a Long member cannot hold is a malformed entry.
std::int32_t come_long(std::int64_t valore, const LettoreCampi& lettore, const char* cosa) {
  if (valore < std::numeric_limits<std::int32_t>::min() ||
      valore > std::numeric_limits<std::int32_t>::max()) {
    lettore.errore(std::string(cosa) + " of " + std::to_string(valore) +
                   " does not fit a 32-bit value");
  }
  return static_cast<std::int32_t>(valore);
}

// Fields 4 to 16: values stored as read, then the timetable time.
void leggi_valori(voce_tabella& voce, LettoreCampi& lettore) {
  voce.opzione = lettore.leggi<std::uint8_t>();
  voce.byte4 = lettore.leggi<std::uint8_t>();
  voce.byte3 = lettore.leggi<std::uint8_t>();
  voce.intero1 = lettore.leggi<std::int16_t>();
  voce.intero2 = lettore.leggi<std::int16_t>();
  voce.byte1 = lettore.leggi<std::uint8_t>();
  voce.intero3 = lettore.leggi<std::int16_t>();
  voce.intero4 = lettore.leggi<std::int16_t>();
  voce.intero5 = lettore.leggi<std::int16_t>();
  voce.byte2 = lettore.leggi<std::uint8_t>();
  const std::int64_t ore = lettore.leggi<std::int32_t>();
  const std::int64_t minuti = lettore.leggi<std::int32_t>();
  const std::int64_t secondi = lettore.leggi<std::int32_t>();
  voce.valore4 = come_long((ore * 60 + minuti) * 60 + secondi, lettore, "timetable time");
}

// Types 5 and 6 have their platform before the position and no approach
// cells.
bool platform_prima(std::uint8_t tipo) { return tipo == 5 || tipo == 6; }

// The fields of a refused station after its position, read so that none of
// them is taken for a keyword.
void leggi_resto(voce_tabella& scarto, LettoreCampi& lettore) {
  scarto.tipo = lettore.leggi<std::uint8_t>();
  lettore.leggi<std::int32_t>();
  leggi_valori(scarto, lettore);
  scarto.nome = lettore.leggi_nome();
}

// A station that stops the reading before its last field. Reading on for
// checking, the rest of it is passed over as if it were absent, so that none
// of its fields, its name least of all, is taken for a keyword; a field of
// it that cannot be read ends it at the end of that line.
template <typename Resto>
Seguito arresta_prima_del_nome(Modello& m, const CursoreLettura& cursore, LettoreCampi& lettore,
                               const Luogo& voce, Codice codice,
                               std::optional<std::int32_t> posizione, Resto&& resto) {
  const Seguito seguito = arresta_in(m, voce, codice, posizione);
  if (!cursore.leggi_oltre_arresti) return seguito;
  try {
    voce_tabella scarto;
    resto(scarto);
  } catch (const ErroreLettura& e) {
    lettore.riprendi_dopo(e.tratto());
  }
  return seguito;
}

// A station refused alone leaves its record as it found it.
Seguito rifiuta(Modello& m, voce_tabella& voce, const voce_tabella& prima, const Luogo& luogo,
                 Codice codice, std::int32_t posizione) {
  voce = prima;
  m.registra_errore(codice, posizione, luogo);
  return Seguito::rifiutata;
}

// Platform start and end by station type; the extra 50 m of field 6 apply
// only to the types whose platform is centred on the position.
void calcola_marciapiede(voce_tabella& voce, std::int64_t lunghezza, const LettoreCampi& lettore) {
  const std::int64_t posizione = voce.valore3;
  std::int64_t inizio = 0;
  std::int64_t fine = 0;
  if (platform_prima(voce.tipo)) {
    inizio = posizione - lunghezza;
    fine = posizione + 150;
    voce.byte3 = 0;
  } else if (voce.tipo == 7 || voce.tipo == 8) {
    inizio = posizione - lunghezza;
    fine = posizione + lunghezza;
    voce.byte3 = 0;
  } else {
    inizio = posizione - lunghezza / 2;
    fine = posizione + lunghezza / 2 + (voce.byte3 != 0 ? 50 : 0);
  }
  voce.valore1 = come_long(inizio, lettore, "platform start");
  voce.valore2 = come_long(fine, lettore, "platform end");
}

// The stop cell lies one cell before the platform end; the four cells before
// it carry 81 (nearest) to 84, except for types 5 and 6.
Seguito segna_celle(Modello& m, const voce_tabella& voce, std::int32_t record,
                     const Luogo& luogo) {
  if (voce.tipo >= primo_tipo_senza_celle) return Seguito::continua;
  const std::int64_t fermata = cella_fermata(voce.valore2);
  if (!platform_prima(voce.tipo)) {
    for (std::int64_t k = 1; k <= 4; ++k) {
      const std::int64_t n = fermata - k;
      if (n > 1) m.celle_percorso[static_cast<std::size_t>(n)].avvicinamento = basso8(avvicinamento_stazione(k));
    }
  }
  if (fermata <= 1) return arresta_in(m, luogo, codice::fermata_in_partenza, std::nullopt);
  cella& c = m.celle_percorso[static_cast<std::size_t>(fermata)];
  c.tipo = tipo_cella::fermata;
  m.segna_origine(fermata, luogo);
  c.dato1 = basso16(record);
  return Seguito::continua;
}

}  // namespace

Seguito leggi_stazione(Modello& m, const CursoreLettura& cursore, LettoreCampi& lettore,
                        std::int32_t& record, const Luogo& luogo) {
  // Records above the board counter hold text boards, 81 up general values.
  if (record < voce::prima_stazione || record > cursore.contatore_cartelli ||
      record > voce::primo_cartello) {
    return arresta_prima_del_nome(m, cursore, lettore, luogo, codice::troppe_stazioni, std::nullopt,
                                  [&](voce_tabella& scarto) {
                                    lettore.leggi<std::int32_t>();
                                    leggi_resto(scarto, lettore);
                                  });
  }
  voce_tabella& voce = m.record(record);
  const voce_tabella prima = voce;

  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  voce.valore3 = posizione;
  if (!entro_percorso(m, posizione, margine_stazione)) {
    m.registra_errore(codice::oltre_percorso, posizione, luogo);
    return Seguito::fine_testo;
  }
  if (posizione < 0) {
    voce_tabella scarto;
    leggi_resto(scarto, lettore);
    return rifiuta(m, voce, prima, luogo, codice::posizione_negativa, posizione);
  }
  if (posizione % 50 != 0) {
    return arresta_prima_del_nome(m, cursore, lettore, luogo, codice::stazione_non_multipla, posizione,
                                  [&](voce_tabella& scarto) { leggi_resto(scarto, lettore); });
  }

  voce.tipo = lettore.leggi<std::uint8_t>();
  const std::int32_t lunghezza = lettore.leggi<std::int32_t>();
  if (lunghezza % 100 != 0) {
    return arresta_prima_del_nome(m, cursore, lettore, luogo, codice::marciapiede_non_multiplo,
                                  posizione, [&](voce_tabella& scarto) {
                                    leggi_valori(scarto, lettore);
                                    scarto.nome = lettore.leggi_nome();
                                  });
  }
  leggi_valori(voce, lettore);
  voce.nome = lettore.leggi_nome();

  calcola_marciapiede(voce, lunghezza, lettore);
  if (lunghezza < 600) voce.byte4 = 0;
  if (record == voce::prima_stazione) {
    voce.byte3 = 0;
    voce.byte4 = 0;
  }
  if (voce.tipo < primo_tipo_senza_celle && cella_fermata(voce.valore2) > m.ultima_cella()) {
    return rifiuta(m, voce, prima, luogo, codice::marciapiede_fuori, posizione);
  }
  if (Seguito d = segna_celle(m, voce, record, luogo); d != Seguito::continua) return d;

  if (record > voce::prima_stazione) {
    const voce_tabella& precedente = m.record(record - 1);
    if (static_cast<std::int64_t>(voce.valore1) - distanza_marciapiedi < precedente.valore2) {
      return arresta_in(m, luogo, codice::marciapiedi_vicini, posizione);
    }
  }
  ++record;
  if (record >= cursore.contatore_cartelli) {
    return arresta_in(m, luogo, codice::troppe_stazioni, std::nullopt);
  }
  return Seguito::continua;
}

}  // namespace scenari
