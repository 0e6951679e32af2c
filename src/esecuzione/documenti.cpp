#include "esecuzione/documenti.h"

#include <string_view>

#include "esecuzione/testi.h"

namespace scenari {

namespace {

// Accented letters and the degree sign are single Windows-1252 bytes, kept
// as escapes so that the source stays ASCII.
constexpr std::string_view righe_note[] = {
    "Treno 40572: trasferimento di materiale vuoto da Lago Fontana a Lago Marinella. La corsa prosegue il turno",
    "che lo stesso personale ha iniziato con un servizio precedente; si parte con sei vetture e l'orologio alle 7.59.47.",
    "Il punto di interesse sono i tre segnali di partenza di Lago Fontana, da osservare uno per uno: il primo protegge",
    "il deviatoio di uscita dalla stazione (Dev. U. al km 1.000), il secondo il tratto in discesa che segue e il terzo",
    "l'itinerario verso il deviatoio di ingresso di Lago Marinella (Dev. I. al km 3.950), da percorrere a 30 km/h.",
    "Durante la corsa il segnale di protezione di Lago Marinella resta a via impedita per alcuni secondi: moderare la",
    "velocit\xE0 in avvicinamento e attendere che si disponga a via libera prima di superarlo.",
    "",
    "Sono in preparazione altri scenari che completeranno la giornata di servizio dello stesso personale, con il",
    "ritorno a Lago Fontana e le manovre di fine turno.",
    "",
    "Il curatore degli scenari",
    "curatore.scenari@example.invalid",
    "segnalazioni.scenari@example.invalid",
    fine_tabella,
};

constexpr std::string_view riga_vuota_ordine =
    " |   |                            |            |          |         |            |";
constexpr std::string_view bordo_ordine =
    " |___|____________________________|____________|__________|_________|____________|";

// The blank order form: the scenario has no slowdowns, so its 26 rows stay
// empty and the "x" runs are written as they stand.
constexpr std::string_view righe_rallentamenti[] = {
    "",
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________________",
    "  Linea  xxxxxx xxxxxxx",
    "",
    "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti rallentamenti",
    "  _______________________________________________________________________________",
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
    bordo_ordine,
    riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine,
    riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine,
    riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine,
    riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine,
    riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine,
    riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine, riga_vuota_ordine,
    riga_vuota_ordine, riga_vuota_ordine,
    bordo_ordine,
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " D - Rallentamneto N. ... e N. ...  sono contigui",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
    fine_tabella,
};

constexpr std::string_view righe_scheda[] = {
    "",
    "",
    "                                         SCHEDA TRENO",
    "  ___________________ ________________                        ______________________",
    " |  Fascicolo Linee  |     Treno      |    scheda n\xB0 1/1     | Sigla di composizione|",
    " |       114         |     40572      |                      |         V160 B       |",
    " |___________________|________________|    da: Lago Fontana  |          120%        |",
    "                     | Termine scheda |    a:  Lago Marinella|______________________|",
    "  ___________________|_LAGO MARINELLA_|                       ______________________",
    " |  CLASSIFICAZIONE  | Massa Bloccata |                      |             |        |",
    " |      INVIO        |      300T      |                      |    E 464    |  RSC4  |",
    " |___________________|________________|                      |_____________|________|        ",
    "",
    "  _______________________________________________________________________________________",
    " |_Binari DX_| Progr Km    Localit\xE0              |     Orario     | Bin. DX | SRS   SRS |",
    " | Vel.| Vel.|                                   |                | V. Max. | SX     DX |",
    " |_lim.|_Mar.|___________________________________|________________|_________|___________|",
    " |  30 |     |    0.000 |LAGO FONTANA            | 8.00           |    /    |           |",
    " |  90 |     |    1.000 |Dev. U.                 |        -       |         |           |",
    " |  70 |     |    3.950 |Dev. I.                 |        -       |         |           |",
    " |     |     |    4.500 |LAGO MARINELLA          |           8.09 |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |_____|_____|__________|________________________|________________|_________|___________|     ",
    "",
    "",
    "",
    fine_tabella,
};

}  // namespace

void dati_note(platform::Files& files, const NomiFile& nomi) {
  scrivi_testo(files, nomi.note, righe_note);
}

void dati_rallentamenti(platform::Files& files, const NomiFile& nomi) {
  scrivi_testo(files, nomi.rallentamenti, righe_rallentamenti);
}

void dati_scheda(platform::Files& files, const NomiFile& nomi) {
  scrivi_testo(files, nomi.scheda, righe_scheda);
}

}  // namespace scenari
