#include "core/lettura/stazioni.h"

#include <limits>
#include <string>

namespace scenari {

namespace {

// Stations must end at least this far before the end of the route.
constexpr std::int64_t margine_stazione = 800;
// Consecutive platforms keep this many metres between them.
constexpr std::int64_t distanza_marciapiedi = 350;
// Types from here up get a record but mark no cells.
constexpr std::uint8_t primo_tipo_senza_celle = 25;

Esito arresta_in(Modello& m, const LettoreCampi& lettore, std::int32_t codice,
                 std::int32_t posizione) {
  m.registra_errore(codice, posizione, lettore.riga());
  return Esito::arresto;
}

// Codes that keep the position of the problem before them.
Esito arresta(Modello& m, const LettoreCampi& lettore, std::int32_t codice) {
  return arresta_in(m, lettore, codice, m.posizione_errore);
}

// A computed value that a Long member cannot hold is a malformed entry.
std::int32_t come_long(std::int64_t valore, const LettoreCampi& lettore, const char* cosa) {
  if (valore < std::numeric_limits<std::int32_t>::min() ||
      valore > std::numeric_limits<std::int32_t>::max()) {
    throw ErroreLettura("line " + std::to_string(lettore.riga()) + ": " + cosa +
                        " out of range");
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

// Platform start and end by station type; the extra 50 m of field 6 apply
// only to the types whose platform is centred on the position.
void calcola_marciapiede(voce_tabella& voce, std::int64_t lunghezza, const LettoreCampi& lettore) {
  const std::int64_t posizione = voce.valore3;
  std::int64_t inizio = 0;
  std::int64_t fine = 0;
  if (voce.tipo == 5 || voce.tipo == 6) {
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
Esito segna_celle(Modello& m, const voce_tabella& voce, std::int32_t record,
                  const LettoreCampi& lettore) {
  if (voce.tipo >= primo_tipo_senza_celle) return Esito::continua;
  const std::int64_t fermata = voce.valore2 / 50 - 1;
  if (fermata > m.ultima_cella()) {
    return arresta_in(m, lettore, codice_marciapiede_fuori, voce.valore3);
  }
  if (voce.tipo != 5 && voce.tipo != 6) {
    for (std::int64_t k = 1; k <= 4; ++k) {
      const std::int64_t n = fermata - k;
      if (n > 1) m.celle_percorso[static_cast<std::size_t>(n)].avvicinamento = basso8(80 + k);
    }
  }
  if (fermata <= 1) return arresta(m, lettore, 24);
  cella& c = m.celle_percorso[static_cast<std::size_t>(fermata)];
  c.tipo = 10;
  c.dato1 = basso16(record);
  return Esito::continua;
}

}  // namespace

Esito leggi_stazione(Modello& m, LettoreCampi& lettore, std::int32_t& record) {
  // Records above the board counter hold text boards, 81 up general values.
  if (record < 1 || record > m.contatore_cartelli || record > 80) return arresta(m, lettore, 10);
  voce_tabella& voce = m.tabella_generale[static_cast<std::size_t>(record)];

  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  voce.valore3 = posizione;
  if (!entro_percorso(m, posizione, margine_stazione)) {
    m.registra_errore(15, posizione, lettore.riga());
    return Esito::fine_testo;
  }
  if (posizione < 0) return arresta_in(m, lettore, codice_posizione_negativa, posizione);
  if (posizione % 50 != 0) return arresta_in(m, lettore, 8, posizione);

  voce.tipo = lettore.leggi<std::uint8_t>();
  const std::int32_t lunghezza = lettore.leggi<std::int32_t>();
  if (lunghezza % 100 != 0) return arresta_in(m, lettore, 9, posizione);
  leggi_valori(voce, lettore);
  voce.nome = lettore.leggi_nome();

  calcola_marciapiede(voce, lunghezza, lettore);
  if (lunghezza < 600) voce.byte4 = 0;
  if (record == 1) {
    voce.byte3 = 0;
    voce.byte4 = 0;
  }
  if (Esito esito = segna_celle(m, voce, record, lettore); esito != Esito::continua) return esito;

  if (record > 1) {
    const voce_tabella& precedente = m.tabella_generale[static_cast<std::size_t>(record - 1)];
    if (static_cast<std::int64_t>(voce.valore1) - distanza_marciapiedi < precedente.valore2) {
      return arresta_in(m, lettore, 22, posizione);
    }
  }
  ++record;
  if (record >= m.contatore_cartelli) return arresta(m, lettore, 10);
  return Esito::continua;
}

}  // namespace scenari
