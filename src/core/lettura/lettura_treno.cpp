#include "core/lettura/lettura_treno.h"

#include <string>

#include "core/lettura/campi.h"
#include "core/lettura/stazioni.h"
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
  std::int32_t stazione = 1;  // record of the next station
  Profilo velocita;
  Profilo aderenza;
};

std::string errore_riga(const LettoreCampi& lettore, const std::string& motivo) {
  return "line " + std::to_string(lettore.riga()) + ": " + motivo;
}

// Speed limits are stored in units of 5 km/h in one byte.
std::uint8_t velocita_in_cella(std::int32_t velocita, const LettoreCampi& lettore) {
  const std::int64_t quinti = arrotonda(velocita, 5);
  if (quinti < 0 || quinti > 255) {
    throw ErroreLettura(errore_riga(lettore, "speed of " + std::to_string(velocita) +
                                                 " km/h does not fit the speed-limit field"));
  }
  return static_cast<std::uint8_t>(quinti);
}

Esito arresta_in(Modello& m, const LettoreCampi& lettore, std::int32_t codice,
                 std::int32_t posizione) {
  m.registra_errore(codice, posizione, lettore.riga());
  return Esito::arresto;
}

// The range test shared by the point entries; a failure ends the reading but
// the profiles are still completed.
bool fuori_percorso(Modello& m, const LettoreCampi& lettore, std::int32_t posizione) {
  if (entro_percorso(m, posizione, margine_voce)) return false;
  m.registra_errore(15, posizione, lettore.riga());
  return true;
}

// Checks common to every positioned entry: the range test, then the refusal
// of positions before the start of the route.
Esito verifica_posizione(Modello& m, const LettoreCampi& lettore, std::int32_t posizione) {
  if (fuori_percorso(m, lettore, posizione)) return Esito::fine_testo;
  if (posizione < 0) return arresta_in(m, lettore, codice_posizione_negativa, posizione);
  return Esito::continua;
}

// Fills the speed limit in force up to cell n - 1, at least one cell, never
// the last cell.
void estendi_velocita(Modello& m, Profilo& p, std::int64_t n, const LettoreCampi& lettore) {
  do {
    if (p.cursore >= m.ultima_cella()) return;
    m.celle_percorso[static_cast<std::size_t>(p.cursore)].velocita_limite =
        velocita_in_cella(p.corrente, lettore);
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

Esito voce_velocita(Modello& m, LettoreCampi& lettore, Profilo& p) {
  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  const std::int32_t velocita = lettore.leggi<std::int32_t>();
  if (Esito e = verifica_posizione(m, lettore, posizione); e != Esito::continua) return e;
  const std::int64_t n = arrotonda(posizione, 50);
  if (n > 0) estendi_velocita(m, p, n, lettore);
  p.corrente = velocita;
  return Esito::continua;
}

Esito voce_aderenza(Modello& m, LettoreCampi& lettore, Profilo& p) {
  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  const std::int32_t aderenza = lettore.leggi<std::int32_t>();
  if (Esito e = verifica_posizione(m, lettore, posizione); e != Esito::continua) return e;
  const std::int64_t n = arrotonda(posizione, 50);
  if (n > 0) estendi_aderenza(m, p, n);
  p.corrente = aderenza;
  return Esito::continua;
}

Esito voce_abbattimento(Modello& m, LettoreCampi& lettore) {
  const std::int32_t posizione = lettore.leggi<std::int32_t>();
  const std::int32_t valore = lettore.leggi<std::int32_t>();
  if (Esito e = verifica_posizione(m, lettore, posizione); e != Esito::continua) return e;
  cella& c = m.celle_percorso[static_cast<std::size_t>(arrotonda(posizione, 50))];
  if (!cella_libera(c)) return arresta_in(m, lettore, 7, posizione);
  if (valore > 0) {
    c.tipo = 12;
    c.dato1 = basso16(valore);
  } else {
    c.tipo = 13;
  }
  return Esito::continua;
}

// After a signal or slowdown any code stops the reading, also one that the
// line reader left behind; the position becomes the entry's own.
Esito dopo_memo(Modello& m, std::int32_t posizione) {
  if (m.codice_errore <= 0) return Esito::continua;
  m.posizione_errore = posizione;
  return Esito::arresto;
}

Esito voce_segnale(Modello& m, LettoreCampi& lettore) {
  std::int32_t v[11];
  for (std::int32_t& valore : v) valore = lettore.leggi<std::int32_t>();
  if (fuori_percorso(m, lettore, v[0])) return Esito::fine_testo;
  memo_segnale(m, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
               lettore.riga());
  return dopo_memo(m, v[0]);
}

Esito voce_rallentamento(Modello& m, LettoreCampi& lettore) {
  std::int32_t v[6];
  for (std::int32_t& valore : v) valore = lettore.leggi<std::int32_t>();
  if (fuori_percorso(m, lettore, v[0])) return Esito::fine_testo;
  memo_rallentamento(m, v[0], v[1], v[2], v[3], v[4], v[5], lettore.riga());
  return dopo_memo(m, v[0]);
}

// The ten keyword tests, in order and each on its own: a field matching
// several of them reads the values of each in turn.
Esito esegui_voci(Modello& m, LettoreCampi& lettore, StatoLettura& stato) {
  const std::string campo = m.riga;
  auto ha = [&campo](std::string_view parola) { return contiene_nocase(campo, parola); };
  voce_tabella& treno = m.tabella_generale[84];
  voce_tabella& orologio = m.tabella_generale[86];
  Esito e = Esito::continua;

  if (ha("frenata") && ha("massa")) treno.valore1 = lettore.leggi<std::int32_t>();
  if (ha("vetture")) treno.valore3 = lettore.leggi<std::int32_t>();
  if (ha("velocit") && (e = voce_velocita(m, lettore, stato.velocita)) != Esito::continua) return e;
  if (ha("aderenza") && (e = voce_aderenza(m, lettore, stato.aderenza)) != Esito::continua) return e;
  if (ha("orologio")) {
    orologio.intero3 = lettore.leggi<std::int16_t>();
    orologio.intero4 = lettore.leggi<std::int16_t>();
    orologio.intero5 = lettore.leggi<std::int16_t>();
  }
  if (ha("sabbia")) orologio.intero1 = lettore.leggi<std::int16_t>();
  if (ha("segnale") && (e = voce_segnale(m, lettore)) != Esito::continua) return e;
  if (ha("rallentamento") && (e = voce_rallentamento(m, lettore)) != Esito::continua) return e;
  if (ha("abbattimento") && (e = voce_abbattimento(m, lettore)) != Esito::continua) return e;
  if (ha("stazione")) return leggi_stazione(m, lettore, stato.stazione);
  return Esito::continua;
}

bool cerca_generale(LettoreCampi& lettore) {
  while (!lettore.fine()) {
    if (contiene_nocase(lettore.leggi_testo(), "[generale]")) return true;
  }
  return false;
}

// Reads the next keyword field into m.riga, passing over at most two fields
// that hold a dash. False when the text ends first: its last field is never
// acted on.
bool leggi_parola_chiave(Modello& m, LettoreCampi& lettore) {
  m.riga = lettore.leggi_testo();
  for (int saltati = 0; !lettore.fine() && saltati < 2 && contiene(m.riga, "-"); ++saltati) {
    m.riga = lettore.leggi_testo();
  }
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

void fine_lettura(Modello& m, StatoLettura& stato, const LettoreCampi& lettore) {
  completa(m, stato.velocita, [&](cella& c) {
    c.velocita_limite = velocita_in_cella(stato.velocita.corrente, lettore);
  });
  completa(m, stato.aderenza, [&](cella& c) { c.aderenza = basso8(stato.aderenza.corrente); });
  bool progressive_valide = true;
  for (int record = 81; record <= 83; ++record) {
    const voce_tabella& progressiva = m.tabella_generale[static_cast<std::size_t>(record)];
    progressive_valide = progressive_valide && multiplo_50(progressiva.valore1) &&
                         multiplo_50(progressiva.valore2);
  }
  if (!progressive_valide) m.registra_errore(2, m.posizione_errore, lettore.riga());
}

}  // namespace

void leggi_treno(Modello& m, std::string_view testo) {
  if (!m.celle_create()) throw ErroreLettura("the route cells do not exist yet");
  LettoreCampi lettore(testo);
  StatoLettura stato;
  if (cerca_generale(lettore)) {
    while (!lettore.fine() && leggi_parola_chiave(m, lettore)) {
      const Esito esito = esegui_voci(m, lettore, stato);
      if (esito == Esito::arresto) return;
      if (esito == Esito::fine_testo) break;
    }
  }
  fine_lettura(m, stato, lettore);
}

}  // namespace scenari
