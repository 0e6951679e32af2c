#include "core/modello/modello.h"

#include <cstdlib>

namespace scenari {

void Modello::registra_errore(std::int32_t codice, std::int32_t posizione, std::int32_t riga) {
  problemi.push_back(Problema{codice, posizione, file_in_lettura, riga});
  codice_errore = codice;
  posizione_errore = posizione;
}

void Modello::crea_percorso(std::int32_t lunghezza) {
  lunghezza_totale = lunghezza + 7000;
  numero_celle = static_cast<std::int32_t>(arrotonda(lunghezza_totale, 50));
  celle_percorso.assign(static_cast<std::size_t>(numero_celle) + 1, cella{});
  if (genera_linea != 0) {
    planimetria.crea(lunghezza_totale);
  } else {
    planimetria.elimina();
  }
}

std::int64_t arrotonda(std::int64_t numeratore, std::int64_t denominatore) {
  std::int64_t quoziente = numeratore / denominatore;
  std::int64_t resto = numeratore % denominatore;
  // Bring the quotient to the floor so that the remainder is non-negative.
  if (resto < 0) {
    resto += denominatore;
    quoziente -= 1;
  }
  const std::int64_t doppio = 2 * resto;
  if (doppio > denominatore || (doppio == denominatore && (quoziente & 1) != 0)) {
    quoziente += 1;
  }
  return quoziente;
}

const char* significato_codice(std::int32_t codice) {
  switch (codice) {
    case 0: return "no problem";
    case 1: return "route length above 1,000,000 m";
    case 2: return "a kilometric progressive value is not a multiple of 50";
    case 3: return "first signal-repetition value not a multiple of 50";
    case 4: return "second signal-repetition value not a multiple of 50";
    case 5: return "signal-repetition keyword holds neither 4 nor 9";
    case 6: return "text board cell already taken";
    case 7: return "abbattimento point cell already taken";
    case 8: return "station position not a multiple of 50";
    case 9: return "platform length not a multiple of 100";
    case 10: return "too many stations for the general table";
    case 11: return "no free cell to protect a signal before a warning board";
    case 12: return "no free cell for a point before a slowdown start";
    case 13: return "no free cell for a point inside or after a slowdown";
    case 15: return "position beyond the end of the route";
    case 16: return "signal cell already taken";
    case 17: return "slowdown warning-board cell already taken";
    case 18: return "slowdown start cell already taken";
    case 19: return "slowdown end cell already taken";
    case 20: return "slowdown pre-board cell already taken";
    case 21: return "speed indicator board cell already taken";
    case 22: return "platform less than 350 m after the previous station's platform";
    case 24: return "station stop cell at 100 m or less from the start";
    case 25: return "description text cannot be read (missing, truncated or malformed value)";
    case 101: return "line description text not found";
    case 102: return "no [generale] section in the line description text";
    case 103: return "curve without a class digit 1 to 6, or plan view longer than 1,000,000 m";
    case codice_fine_oltre_percorso: return "terrain stretch or curve ends beyond the route";
    case codice_troppe_montagne: return "more than 80 terrain stretches";
    case codice_troppi_cartelli: return "too many text boards for the general table";
    case codice_posizione_negativa: return "negative position";
    case codice_senza_lunghezza: return "line description text without a route length";
    case codice_avvicinamento_fuori: return "signal too near the start for its approach cells";
    case codice_rallentamento_fuori: return "slowdown end beyond the route";
    case codice_rallentamento_corto:
      return "slowdown end cell not after its start cell (length too short or negative)";
    case codice_marciapiede_fuori: return "platform end beyond the route";
    default: return "unknown code";
  }
}

}  // namespace scenari
