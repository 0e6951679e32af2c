#include "core/modello/codici.h"

#include <algorithm>
#include <array>

namespace scenari::codice {

namespace {

constexpr std::array<Descrizione, 36> tabella = {{
    {lunghezza_eccessiva, true, "route-too-long", "route length above 1,000,000 m",
     "shorten the route to at most 1,000,000 m"},
    {progressiva_non_multipla, true, "progressive-not-multiple",
     "a kilometric progressive value is not a multiple of 50",
     "write the first two values of every progressiva line as multiples of 50"},
    {ripetizione_primo_valore, true, "repetition-not-multiple",
     "first signal-repetition value not a multiple of 50",
     "write the first value of the signal repetition as a multiple of 50"},
    {ripetizione_secondo_valore, true, "repetition-not-multiple",
     "second signal-repetition value not a multiple of 50",
     "write the second value of the signal repetition as a multiple of 50"},
    {ripetizione_senza_codice, true, "repetition-without-code",
     "signal-repetition keyword holds neither 4 nor 9",
     "put the code 4 or 9 in the keyword field of the signal repetition"},
    {cella_cartello_occupata, true, "cell-taken", "text board cell already taken",
     "move the text board at least 50 m away from the object that holds its cell"},
    {cella_abbattimento_occupata, true, "cell-taken", "abbattimento point cell already taken",
     "move the abbattimento point at least 50 m away from the object that holds its cell"},
    {stazione_non_multipla, true, "station-not-multiple", "station position not a multiple of 50",
     "write the station position as a multiple of 50"},
    {marciapiede_non_multiplo, true, "platform-not-multiple", "platform length not a multiple of 100",
     "write the platform length as a multiple of 100"},
    {troppe_stazioni, true, "too-many-stations", "too many stations for the general table",
     "remove stations or text boards: together they share 80 records"},
    {protezione_segnale, true, "no-protection-cell",
     "no free cell to protect a signal before a warning board",
     "move the signal or the slowdown so that a cell near the signal stays free"},
    {protezione_prima_rallentamento, true, "no-protection-cell",
     "no free cell for a point before a slowdown start",
     "keep a cell free in the 500 m before the slowdown start"},
    {protezione_dopo_rallentamento, true, "no-protection-cell",
     "no free cell for a point inside or after a slowdown",
     "keep a cell free inside the slowdown and just after its end"},
    {oltre_percorso, true, "beyond-route", "position beyond the end of the route",
     "move the entry before the end of the route (signals and slowdowns 100 m, stations 800 m)"},
    {cella_segnale_occupata, true, "cell-taken", "signal cell already taken",
     "move the signal at least 50 m away from the object that holds its cell"},
    {cella_avviso_occupata, true, "cell-taken", "slowdown warning-board cell already taken",
     "move the slowdown: its warning board lies 1200 m before its start"},
    {cella_inizio_occupata, true, "cell-taken", "slowdown start cell already taken",
     "move the slowdown start at least 50 m away from the object that holds its cell"},
    {cella_fine_occupata, true, "cell-taken", "slowdown end cell already taken",
     "change the slowdown length so that its end falls in a free cell"},
    {cella_preavviso_occupata, true, "cell-taken", "slowdown pre-board cell already taken",
     "keep the four cells before the warning board free, or set the warning value to 0"},
    {cella_indicatore_occupata, true, "cell-taken", "speed indicator board cell already taken",
     "move the speed board at least 50 m away from the object that holds its cell"},
    {marciapiedi_vicini, true, "platforms-too-close",
     "platform less than 350 m after the previous station's platform",
     "move the station so that its platform starts 350 m after the previous one ends"},
    {fermata_in_partenza, true, "stop-at-start",
     "station stop cell at 100 m or less from the start",
     "move the station or shorten its platform so that it ends beyond 150 m"},
    {lettura_fallita, true, "unreadable-text",
     "description text cannot be read (missing, truncated or malformed value)",
     "write every value of the entry as a whole number that fits its field"},
    {linea_assente, true, "missing-line-text", "line description text not found",
     "write the line description text beside the train description text"},
    {generale_assente, true, "missing-generale", "no [generale] section in the line description text",
     "begin the line description with a [generale] section"},
    {curva_non_valida, true, "bad-curve",
     "curve without a class digit 1 to 6, or plan view longer than 1,000,000 m",
     "put a class digit 1 to 6 in the curve's keyword field, e.g. \"curva 3 s\""},
    {fine_oltre_percorso, false, "end-beyond-route", "terrain stretch or curve ends beyond the route",
     "end the stretch or curve before the end of the route"},
    {troppe_montagne, false, "too-many-stretches", "more than 80 terrain stretches",
     "join neighbouring terrain stretches: at most 80 are kept"},
    {troppi_cartelli, false, "too-many-boards", "too many text boards for the general table",
     "remove text boards: boards and stations share 80 records"},
    {posizione_negativa, false, "negative-position", "negative position",
     "write positions and lengths as metres from the start of the route, 0 or more"},
    {senza_lunghezza, false, "missing-length", "line description text without a route length",
     "add a \"lunghezza percorso\" line to the [generale] section"},
    {rallentamento_fuori, false, "slowdown-beyond-route", "slowdown end beyond the route",
     "shorten the slowdown so that it ends within the route"},
    {rallentamento_corto, false, "slowdown-too-short",
     "slowdown end cell not after its start cell (length too short or negative)",
     "lengthen the slowdown so that its end falls at least one cell after its start: 100 m always "
     "does"},
    {marciapiede_fuori, false, "platform-beyond-route", "platform end beyond the route",
     "move the station or shorten its platform so that it ends within the route"},
    {partenza_primo_valore, true, "start-record-taken",
     "start record taken: an object in cell 1 has a non-zero first value",
     "move the object that lies in cell 1 (within the first 75 m of the route) further on"},
    {partenza_secondo_valore, true, "start-record-taken",
     "start record taken: an object in cell 1 has a non-zero second value",
     "move the object that lies in cell 1 (within the first 75 m of the route) further on"},
}};

static_assert(std::ranges::adjacent_find(tabella, [](const Descrizione& a, const Descrizione& b) {
                return a.codice >= b.codice;
              }) == tabella.end(),
              "descrivi searches the table by code: keep it in increasing order");

constexpr Descrizione sconosciuto = {Codice{}, false, "unknown-code", "unknown code", ""};

}  // namespace

std::span<const Descrizione> tutti() { return tabella; }

const Descrizione& descrivi(Codice c) {
  const auto* d = std::ranges::lower_bound(tabella, c, {}, &Descrizione::codice);
  return (d != tabella.end() && d->codice == c) ? *d : sconosciuto;
}

}  // namespace scenari::codice
