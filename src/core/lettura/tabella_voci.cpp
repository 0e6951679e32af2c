#include "core/lettura/tabella_voci.h"

#include <algorithm>
#include <array>

#include "core/formato/celle.h"
#include "core/lettura/campi.h"
#include "core/modello/codici.h"
#include "core/modello/controlli.h"
#include "core/modello/modello.h"

namespace scenari::riferimento {

namespace {

using sv = std::string_view;

// Positions are range-checked against the end of the route cells, which run
// 7000 m past the route length L.
constexpr sv posizione_punto = "0 to L + 6900";

using Valore = std::optional<std::int64_t>;
constexpr std::int64_t max16 = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t min16 = std::numeric_limits<std::int16_t>::min();

// What the compactor makes of a value, through the encoders of the cells and
// back through their decoders: the value the simulator gets, in the unit the
// author writes.
std::int64_t basso8(std::int64_t v) { return static_cast<std::uint8_t>(v); }
std::int64_t basso16(std::int64_t v) { return static_cast<std::int16_t>(v); }
Valore intero16(std::int64_t v) { return v < min16 || v > max16 ? Valore() : v; }
Valore in_un_byte(std::int64_t v) { return basso8(v); }
Valore in_16_bit(std::int64_t v) { return basso16(v); }
Valore velocita_limite(std::int64_t kmh) {
  const std::int64_t passi = passi_velocita(kmh);
  if (passi < 0 || passi > 255) return {};
  return velocita_kmh(static_cast<std::uint8_t>(passi));
}
Valore pendenza(std::int64_t per_mille) { return pendenza_per_mille(codifica_pendenza(per_mille)); }
// A type above 10 is stored less 10, with markers: written back, plus 10.
Valore tipo_montagna(std::int64_t tipo) { return tipo > 10 ? basso8(tipo - 10) + 10 : basso8(tipo); }
Valore cartello_s(std::int64_t s) {
  const std::int64_t v = codifica_cartello_velocita(s, 0);
  if (v < min16 || v > max16) return {};
  return decodifica_cartello_velocita(static_cast<std::int16_t>(v)).s;
}
Valore cartello_d(std::int64_t d) {
  const std::int64_t v = codifica_cartello_velocita(0, d);
  if (v < min16 || v > max16) return {};
  return decodifica_cartello_velocita(static_cast<std::int16_t>(v)).d;
}
Valore unita_coppia(std::int64_t d) {
  return decodifica_coppia(static_cast<std::int16_t>(basso16(codifica_coppia(0, d)))).d;
}
AspettoSegnale aspetto(std::int64_t sx, std::int64_t dx) {
  return decodifica_ripetizione(
      static_cast<std::int16_t>(basso16(codifica_ripetizione(0, codifica_aspetto(sx, dx)))));
}
Valore aspetto_sx(std::int64_t sx) { return aspetto(sx, 0).sx; }
Valore aspetto_dx(std::int64_t dx) { return aspetto(0, dx).dx; }
// Signal times from 1 to 100 are raised to 101.
Valore tempo_segnale(std::int64_t t) { return basso8(t >= 1 && t <= 100 ? 101 : t); }
Valore vero_o_falso(std::int64_t v) { return v != 0 ? 1 : 0; }
// A value of 0 or less makes a point without value.
Valore valore_abbattimento(std::int64_t v) { return v > 0 ? basso16(v) : 0; }

// Where values land, read back through the decoders of the cells.
const voce_tabella& record(const Modello& m, int numero) { return m.record(numero); }
const cella& in_cella(const Modello& m, std::int64_t k) { return m.celle_percorso[static_cast<std::size_t>(k)]; }
const cella& punto(const Modello& m, std::int64_t p) { return in_cella(m, cella_punto(p)); }
const cella& profilo(const Modello& m, std::int64_t p) { return in_cella(m, cella_profilo(p)); }

std::int64_t lunghezza_letta(const Modello& m, std::int64_t) { return record(m, voce::treno).valore2; }
std::int64_t sfondo_uno(const Modello& m, std::int64_t) { return record(m, voce::linea).valore1; }
std::int64_t sfondo_due(const Modello& m, std::int64_t) { return record(m, voce::linea).valore3; }
std::int64_t sfondo_tre(const Modello& m, std::int64_t) { return record(m, voce::linea).valore2; }
std::int64_t ripetizione_uno(const Modello& m, std::int64_t) { return record(m, voce::orologio).valore1; }
std::int64_t ripetizione_due(const Modello& m, std::int64_t) { return record(m, voce::orologio).valore2; }
std::int64_t pendenza_letta(const Modello& m, std::int64_t p) {
  return pendenza_per_mille(profilo(m, p).pendenza);
}
// Markers lie in every fourth cell of the stretch: the type as written has 10 more.
std::int64_t montagna_letta(const Modello& m, std::int64_t p) {
  const bool marcatori = in_cella(m, cella_profilo(p) + 3).tipo == tipo_cella::marcatore_montagna;
  return profilo(m, p).montagna + (marcatori ? 10 : 0);
}
template <std::int16_t cella::*dato>
std::int64_t cartello_s_letto(const Modello& m, std::int64_t p) {
  return decodifica_cartello_velocita(punto(m, p).*dato).s;
}
template <std::int16_t cella::*dato>
std::int64_t cartello_d_letto(const Modello& m, std::int64_t p) {
  return decodifica_cartello_velocita(punto(m, p).*dato).d;
}
template <std::int16_t cella::*dato>
std::int64_t decine(const Modello& m, std::int64_t p) { return decodifica_coppia(punto(m, p).*dato).s; }
template <std::int16_t cella::*dato>
std::int64_t unita(const Modello& m, std::int64_t p) { return decodifica_coppia(punto(m, p).*dato).d; }
template <std::int16_t cella::*dato>
std::int64_t dato_punto(const Modello& m, std::int64_t p) { return punto(m, p).*dato; }
std::int64_t sx_letto(const Modello& m, std::int64_t p) { return decodifica_ripetizione(punto(m, p).dato4).sx; }
std::int64_t dx_letto(const Modello& m, std::int64_t p) { return decodifica_ripetizione(punto(m, p).dato4).dx; }
std::int64_t rapp_letto(const Modello& m, std::int64_t p) { return decodifica_ripetizione(punto(m, p).dato4).rapp; }
std::int64_t tempo_letto(const Modello& m, std::int64_t p) { return punto(m, p).tempo_segnale; }
std::int64_t frenata_letta(const Modello& m, std::int64_t) { return record(m, voce::treno).valore1; }
std::int64_t vetture_lette(const Modello& m, std::int64_t) { return record(m, voce::treno).valore3; }
template <std::int16_t voce_tabella::*membro>
std::int64_t orologio_letto(const Modello& m, std::int64_t) { return record(m, voce::orologio).*membro; }
std::int64_t aderenza_letta(const Modello& m, std::int64_t p) { return profilo(m, p).aderenza; }
std::int64_t velocita_letta(const Modello& m, std::int64_t p) { return velocita_kmh(profilo(m, p).velocita_limite); }
template <typename T, T voce_tabella::*membro>
std::int64_t stazione_letta(const Modello& m, std::int64_t) { return record(m, voce::prima_stazione).*membro; }
std::int64_t ore_lette(const Modello& m, std::int64_t) { return record(m, voce::prima_stazione).valore4 / 3600; }
std::int64_t minuti_letti(const Modello& m, std::int64_t) { return record(m, voce::prima_stazione).valore4 / 60 % 60; }
std::int64_t secondi_letti(const Modello& m, std::int64_t) { return record(m, voce::prima_stazione).valore4 % 60; }
std::int64_t abbattimento_letto(const Modello& m, std::int64_t p) {
  const cella& c = profilo(m, p);
  return c.tipo == tipo_cella::abbattimento_con_valore ? c.dato1 : 0;
}
template <std::uint8_t voce_tabella::*membro>
constexpr Dove byte_stazione = stazione_letta<std::uint8_t, membro>;
template <std::int16_t voce_tabella::*membro>
constexpr Dove intero_stazione = stazione_letta<std::int16_t, membro>;

constexpr Codice e_posizione[] = {codice::oltre_percorso, codice::posizione_negativa};
constexpr Codice e_lunghezza[] = {codice::lunghezza_eccessiva, codice::posizione_negativa};
constexpr Codice e_progressiva[] = {codice::progressiva_non_multipla};
constexpr Codice e_ripetizione_uno[] = {codice::ripetizione_primo_valore};
constexpr Codice e_ripetizione_due[] = {codice::ripetizione_secondo_valore};
constexpr Codice e_fine_montagna[] = {codice::fine_oltre_percorso, codice::posizione_negativa};
constexpr Codice e_lettura[] = {codice::lettura_fallita};
constexpr Codice e_stazione[] = {codice::stazione_non_multipla, codice::oltre_percorso,
                                 codice::posizione_negativa};
constexpr Codice e_marciapiede[] = {codice::marciapiede_non_multiplo, codice::marciapiede_fuori};
constexpr Codice e_rallentamento[] = {codice::rallentamento_corto, codice::rallentamento_fuori};

constexpr std::int64_t nessun_limite = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t nessun_minimo = std::numeric_limits<std::int64_t>::min();

// A rule the reader enforces with the error codes `codici`.
constexpr Regola rifiuto(std::int64_t minimo, std::int64_t passo, std::span<const Codice> codici) {
  return {minimo, nessun_limite, passo, false, nullptr, "", codici, ""};
}

// Rules the readers enforce with error codes.
constexpr Regola r_posizione{0, nessun_limite, 1, false, nullptr, "positions lie on the route", e_posizione};
constexpr Regola r_posizione_profilo{0, nessun_limite, 1, true, nullptr,
                                     "positions lie on the route", e_posizione};
constexpr Regola r_byte{0, 255, 1, false, nullptr, "", e_lettura};
constexpr Regola r_intero16{min16, max16, 1, false, nullptr, "", e_lettura};

// Rules `check` warns on.
constexpr Regola r_orologio_ore{0, 23, 1, false, intero16, "clock hours run 0 to 23"};
constexpr Regola r_orologio_minuti{0, 59, 1, false, intero16, "clock minutes run 0 to 59"};
constexpr Regola r_orologio_secondi{0, 59, 1, false, intero16, "clock seconds run 0 to 59"};
constexpr Regola r_ore{0, 23, 1, false, nullptr, "timetable hours run 0 to 23"};
constexpr Regola r_minuti{0, 59, 1, false, nullptr, "timetable minutes run 0 to 59"};
constexpr Regola r_secondi{0, 59, 1, false, nullptr, "timetable seconds run 0 to 59"};
constexpr Regola r_valore16{min16, max16, 1, false, in_16_bit,
                            "the value is kept in 16 bits, -32768 to 32767"};

// ---- line text, [generale] ----

constexpr sv p_lunghezza[] = {"lunghezza", "percorso"};
constexpr Campo c_lunghezza[] = {
    {"route length L", "m", "0 to 1,000,000",
     "Stored in record 84 (`valore2`). The route cells are created for L + 7000 m, one cell per "
     "50 m (cells 0 to nearest((L + 7000) / 50)), and the plan view gets one point per metre of "
     "them: every object may lie up to 7000 m past the nominal end.",
     {0, 1'000'000, 1, false, nullptr, "", e_lunghezza},
     {"7000", 7000, lunghezza_letta}},
};
constexpr Codice k_lunghezza[] = {codice::lunghezza_eccessiva, codice::lettura_fallita,
                                  codice::posizione_negativa, codice::senza_lunghezza};

constexpr sv p_uno[] = {"uno", "progressiva"};
constexpr sv p_due[] = {"due", "progressiva"};
constexpr sv p_tre[] = {"tre", "progressiva"};
constexpr Campo c_progressiva[] = {
    {"first value", "m", "multiple of 50",
     "Orders the three progressives: the largest first value goes to record 81, the middle one "
     "to 82, the smallest to 83. Two equal largest values clear all nine values.",
     rifiuto(nessun_minimo, 50, e_progressiva)},
    {"second value", "m", "multiple of 50",
     "Stored beside the first; when all first values add up to 0, the progressives with a second "
     "value above 0 decide the order instead.",
     rifiuto(nessun_minimo, 50, e_progressiva)},
    {"third value", "", "any whole number; 1 has a meaning",
     "Stored; a third value of exactly 1 adds 100 to the second value after ordering.",
     senza_regola},
};
constexpr Codice k_progressiva[] = {codice::progressiva_non_multipla, codice::lettura_fallita};

constexpr sv p_sfondo_uno[] = {"sfondo", "uno"};
constexpr sv p_sfondo_due[] = {"sfondo", "due"};
constexpr sv p_sfondo_tre[] = {"sfondo", "tre"};
constexpr Campo c_sfondo_uno[] = {
    {"setting", "", "any whole number", "Stored in record 85 `valore1` for the simulator.",
     senza_regola,
     {"1", 1, sfondo_uno}}};
constexpr Campo c_sfondo_due[] = {
    {"setting", "", "any whole number", "Stored in record 85 `valore3` for the simulator.",
     senza_regola,
     {"-3", -3, sfondo_due}}};
constexpr Campo c_sfondo_tre[] = {
    {"setting", "", "any whole number", "Stored in record 85 `valore2` for the simulator.",
     senza_regola,
     {"12", 12, sfondo_tre}}};
constexpr Codice k_intero[] = {codice::lettura_fallita};

constexpr sv p_ripetizione[] = {"segnali", "ripetizione"};
constexpr Campo c_ripetizione[] = {
    {"first value", "m", "multiple of 50", "Stored in record 86 `valore1`.",
     rifiuto(nessun_minimo, 50, e_ripetizione_uno),
     {"150", 150, ripetizione_uno}},
    {"second value", "m", "multiple of 50; 0 turns the repetition off",
     "Stored in record 86 `valore2`. The repetition code in `valore3` is 4 when the keyword field "
     "holds a \"4\", else 9 when it holds a \"9\"; a second value of 0 sets it to 0.",
     rifiuto(nessun_minimo, 50, e_ripetizione_due),
     {"200", 200, ripetizione_due}},
};
constexpr Codice k_ripetizione[] = {codice::ripetizione_primo_valore,
                                    codice::ripetizione_secondo_valore,
                                    codice::ripetizione_senza_codice, codice::lettura_fallita};

constexpr Voce v_generale_linea[] = {
    {Parola::lunghezza, "lunghezza percorso", p_lunghezza, false,
     "The length of the route. Must come before every entry of the body: a text without it gives "
     "no route.",
     "lunghezza percorso,    7000", c_lunghezza,
     "Creates the route cells and the plan view; a second length line creates them anew.",
     k_lunghezza},
    {Parola::progressiva_uno, "progressiva chilometrica uno", p_uno, true,
     "The first of three kilometric progressives (\"uno\", \"due\", \"tre\"), the kilometre "
     "markings of the line.",
     "progressiva chilometrica uno,    0,    0,    0", c_progressiva,
     "Read into record 83 before ordering. The multiples of 50 are checked once the train text "
     "has been read.",
     k_progressiva},
    {Parola::progressiva_due, "progressiva chilometrica due", p_due, true, "The second kilometric progressive.",
     "progressiva chilometrica due,    0,    0,    0", c_progressiva,
     "Read into record 82 before ordering.", k_progressiva},
    {Parola::progressiva_tre, "progressiva chilometrica tre", p_tre, true, "The third kilometric progressive.",
     "progressiva chilometrica tre,    0,    0,    0", c_progressiva,
     "Read into record 81 before ordering.", k_progressiva},
    {Parola::sfondo_uno, "sfondo uno", p_sfondo_uno, true, "First background setting of the scenery.",
     "sfondo uno,    1", c_sfondo_uno, "Record 85 `valore1`.", k_intero},
    {Parola::sfondo_due, "sfondo due", p_sfondo_due, true, "Second background setting.", "sfondo due,    0",
     c_sfondo_due, "Record 85 `valore3` (note the order: \"tre\" goes to `valore2`).", k_intero},
    {Parola::sfondo_tre, "sfondo tre", p_sfondo_tre, true, "Third background setting.", "sfondo tre,    0",
     c_sfondo_tre, "Record 85 `valore2`.", k_intero},
    {Parola::ripetizione, "ripetizione segnali 4 codici", p_ripetizione, true,
     "Repetition of signals in the cab, with 4 or 9 codes (the digit in the keyword field).",
     "ripetizione segnali 4 codici,    0    ,0", c_ripetizione,
     "Record 86 `valore1` to `valore3`.", k_ripetizione},
};

// ---- line text, body ----

constexpr sv p_curva[] = {"curva"};
constexpr Campo c_curva[] = {
    {"start s", "m", posizione_punto,
     "The plan view runs straight up to metre s, then turns at the rate of the class digit of "
     "the keyword field.",
     r_posizione},
    {"length l", "m", "0 or more; s + l at most L + 7000",
     "The track turns from s to s + l. A curve that starts before the end of the one before it "
     "bends only from there on.",
     {0, nessun_limite, 1, false, nullptr, "", {}, controllo::nome(controllo::Avviso::negative_length)}},
};
constexpr Codice k_curva[] = {codice::oltre_percorso, codice::curva_non_valida,
                              codice::fine_oltre_percorso, codice::posizione_negativa};

constexpr sv p_pendenza[] = {"pendenza"};
constexpr Campo c_pendenza[] = {
    {"position p", "m", posizione_punto,
     "The gradient holds from cell nearest(p / 50) up to the cell before the next gradient line; "
     "the cells before the first line hold 0.",
     r_posizione_profilo},
    {"gradient", "per mille", "-100 to 155 (rising positive)",
     "Stored in every cell of its stretch as `pendenza` = gradient + 100, its low 8 bits; the "
     "last three cells of the route keep 0.",
     {-100, 155, 1, false, pendenza, "gradients run -100 to 155 per mille"},
     {"200", -56, pendenza_letta}},
};
constexpr Codice k_posizione[] = {codice::oltre_percorso, codice::posizione_negativa};

constexpr sv p_montagna[] = {"montagna"};
constexpr Campo c_montagna[] = {
    {"start", "m", posizione_punto, "First cell of the stretch: nearest(start / 50).",
     r_posizione},
    {"end", "m", "start or more; at most the end of the route cells",
     "Last cell of the stretch: nearest(end / 50 - 1).",
     {0, nessun_limite, 1, false, nullptr, "", e_fine_montagna, "", 0}},
    {"terrain type", "", "0 to 265: 0 to 10, or 11 to 265 for 1 to 255 with markers",
     "Written into `montagna` of every cell of the stretch. A type above 10 is taken less 10 and "
     "puts a terrain marker (cell type 11) in every fourth cell, one each 200 m, where the cell "
     "is empty. A stretch that starts 150 m or less after the end of the one before it becomes "
     "type 3. The type is kept in 8 bits.",
     {0, 265, 1, false, tipo_montagna, "terrain types run 0 to 10, or 11 to 265 with markers"},
     {"12", 12, montagna_letta}},
};
constexpr Codice k_montagna[] = {codice::oltre_percorso, codice::fine_oltre_percorso,
                                 codice::troppe_montagne, codice::posizione_negativa};

constexpr sv p_indicatori[] = {"indicatori_v"};
constexpr Regola r_cartello_s{0, 1600, 1, false, cartello_s, "board s-side speeds run 0 to 1600 km/h"};
constexpr Regola r_cartello_d{0, 95, 5, false, cartello_d,
                              "board d-side speeds are multiples of 5 from 0 to 95 km/h"};
constexpr Regola r_strisce_s{0, 9, 1, false, nullptr, "stripe counts run 0 to 9"};
constexpr Regola r_strisce_d{0, 9, 1, false, unita_coppia, "stripe counts run 0 to 9"};
constexpr Campo c_indicatori[] = {
    {"position", "m", posizione_punto,
     "The board lies in cell nearest(position / 50 + 1), made type 6.",
     r_posizione},
    {"vas", "km/h", "0 to 1600", "s-side speed a: `dato1` = nearest(vad / 5 + vas * 20).",
     r_cartello_s,
     {"85", 85, cartello_s_letto<&cella::dato1>}},
    {"vbs", "km/h", "0 to 1600", "s-side speed b: `dato2` = nearest(vbd / 5 + vbs * 20).",
     r_cartello_s,
     {"1600", 1600, cartello_s_letto<&cella::dato2>}},
    {"vcs", "km/h", "0 to 1600", "s-side speed c: `dato3` = nearest(vcd / 5 + vcs * 20).",
     r_cartello_s,
     {"95", 95, cartello_s_letto<&cella::dato3>}},
    {"strisces", "stripes", "0 to 9", "s-side stripe count: `dato4` = strisces * 10 + strisced.",
     r_strisce_s,
     {"3", 3, decine<&cella::dato4>}},
    {"vad", "km/h", "multiple of 5, 0 to 95", "d-side speed a, a fifth of it in `dato1`.",
     r_cartello_d,
     {"72", 70, cartello_d_letto<&cella::dato1>}},
    {"vbd", "km/h", "multiple of 5, 0 to 95", "d-side speed b, a fifth of it in `dato2`.",
     r_cartello_d,
     {"95", 95, cartello_d_letto<&cella::dato2>}},
    {"vcd", "km/h", "multiple of 5, 0 to 95", "d-side speed c, a fifth of it in `dato3`.",
     r_cartello_d,
     {"0", 0, cartello_d_letto<&cella::dato3>}},
    {"strisced", "stripes", "0 to 9", "d-side stripe count, the units of `dato4`.",
     r_strisce_d,
     {"12", 2, unita<&cella::dato4>}},
};
constexpr Codice k_indicatori[] = {codice::oltre_percorso, codice::cella_indicatore_occupata,
                                   codice::lettura_fallita, codice::posizione_negativa,
                                   codice::partenza_primo_valore, codice::partenza_secondo_valore};

constexpr sv p_cartello[] = {"cartello", "indicat"};
constexpr Campo c_cartello[] = {
    {"position", "m", posizione_punto,
     "The board lies in cell nearest(position / 50 + 1), made type 14.",
     r_posizione},
    {"text", "text", "Windows-1252; in double quotes to hold commas",
     "Stored as the `nome` of a general record, from record 80 downward, one per board; the "
     "cell's `dato1` holds the record number.",
     senza_regola},
};
constexpr Codice k_cartello[] = {codice::cella_cartello_occupata, codice::oltre_percorso,
                                 codice::troppi_cartelli, codice::posizione_negativa,
                                 codice::partenza_primo_valore};

constexpr Voce v_curve[] = {
    {Parola::curva, "curvad2", p_curva, false,
     "A curve of the plan view. The first of the digits 1 to 6 in the keyword field is its "
     "class: a turn of 0.0001, 0.0002, 0.0004, 0.001, 0.002 or 0.003 per metre. An \"s\" "
     "anywhere in the field makes it a left-hand curve; otherwise it turns right (\"d\").",
     "curvad2,   500,  300", c_curva,
     "Plan points only (`_linea.dat`); with `compile --no-plan` the line is passed over.",
     k_curva},
};
constexpr Voce v_pendenze[] = {
    {Parola::pendenza, "pendenza", p_pendenza, false,
     "A change of gradient. Write the lines in ascending order of position.",
     "pendenza  , 500    , -7", c_pendenza, "`pendenza` of the route cells.", k_posizione},
};
constexpr Voce v_montagne[] = {
    {Parola::montagna, "montagna", p_montagna, false, "A stretch of terrain of one type.",
     "montagna,  1000,  2000,  12", c_montagna,
     "`montagna` of the cells; terrain markers (type 11), which any object may replace.",
     k_montagna},
};
constexpr Voce v_cartelli[] = {
    {Parola::indicatori, "indicatori_vmax", p_indicatori, false,
     "A maximum-speed indicator board with three speeds and a stripe count for each side.",
     "indicatori_vmax,  1050, 85, 90, 95, 0, 85, 90, 95, 0", c_indicatori,
     "One cell of type 6. A board at 0 m lies in cell 1, the start record: the compile stops "
     "with 1250 when its `dato1` (vas, vad) is not 0, else with 1251 when its `dato2` (vbs, "
     "vbd) is not 0; a board whose a and b speeds are all 0 passes, and cell 1 then gets the "
     "start stamps in `dato1` and `dato2`.",
     k_indicatori},
};
constexpr Voce v_indicazioni[] = {
    {Parola::cartello, "cartello indicatore", p_cartello, false, "A text board beside the track.",
     "cartello indicatore,  2500, \"LAGO, BIVIO\"", c_cartello,
     "One cell of type 14 and one general record.", k_cartello},
};

constexpr Sezione sezioni_linea[] = {
    {"[generale]",
     "General values. The section runs from the first field holding \"[generale]\" up to the "
     "next field holding \"[\" and \"]\" (normally \"[curve]\"); everything before it is "
     "ignored. Its entries are read only here.",
     v_generale_linea},
    {"[curve]",
     "The body starts here. The section headers of the body are only for the reader: every "
     "entry of the body is recognised in any section, in any order.",
     v_curve},
    {"[pendenze]", "Gradients.", v_pendenze},
    {"[montagne]", "Terrain stretches (none in the embedded scenario).", v_montagne},
    {"[cartelli]", "Speed indicator boards.", v_cartelli},
    {"[indicazioni]", "Text boards (none in the embedded scenario).", v_indicazioni},
};

// ---- train text ----

constexpr sv p_vetture[] = {"vetture"};
constexpr Campo c_vetture[] = {{"cars", "", "any whole number", "Record 84 `valore3`.", senza_regola,
     {"6", 6, vetture_lette}}};
constexpr sv p_frenata[] = {"frenata", "massa"};
constexpr Campo c_frenata[] = {
    {"braked mass", "%", "any whole number", "Record 84 `valore1`.", senza_regola,
     {"120", 120, frenata_letta}}};
constexpr sv p_sabbia[] = {"sabbia"};
constexpr Campo c_sabbia[] = {{"sand", "", "-32768 to 32767", "Record 86 `intero1`.", r_intero16,
     {"-5", -5, orologio_letto<&voce_tabella::intero1>}}};
constexpr sv p_orologio[] = {"orologio"};
constexpr Campo c_orologio[] = {
    {"hours", "h", "0 to 23", "Record 86 `intero3`.", r_orologio_ore,
     {"25", 25, orologio_letto<&voce_tabella::intero3>}},
    {"minutes", "min", "0 to 59", "Record 86 `intero4`.", r_orologio_minuti,
     {"59", 59, orologio_letto<&voce_tabella::intero4>}},
    {"seconds", "s", "0 to 59", "Record 86 `intero5`.", r_orologio_secondi,
     {"47", 47, orologio_letto<&voce_tabella::intero5>}},
};

constexpr Voce v_generale_treno[] = {
    {Parola::vetture, "numero vetture", p_vetture, false, "Number of cars of the train.", "numero vetture,    6",
     c_vetture, "Record 84.", k_intero},
    {Parola::frenata, "percentuale massa frenata", p_frenata, false, "Braked-mass percentage of the train.",
     "percentuale massa frenata,    120", c_frenata, "Record 84.", k_intero},
    {Parola::sabbia, "sabbia", p_sabbia, false, "Sand setting.", "sabbia,    0", c_sabbia, "Record 86.",
     k_intero},
    {Parola::orologio, "orologio", p_orologio, false,
     "The clock at the start of the run. The three numbers may be separated by blanks instead "
     "of commas.",
     "orologio,    7               59            47 ", c_orologio, "Record 86.", k_intero},
};

constexpr sv p_aderenza[] = {"aderenza"};
constexpr Campo c_aderenza[] = {
    {"position p", "m", posizione_punto,
     "The value holds from cell nearest(p / 50) up to the cell before the next entry.",
     r_posizione_profilo},
    {"adhesion", "", "0 to 255",
     "Stored as `aderenza` of every cell of its stretch (the low 8 bits of larger values); the "
     "last three cells keep 0.",
     {0, 255, 1, false, in_un_byte, "adhesion values run 0 to 255"},
     {"300", 44, aderenza_letta}},
};
constexpr Voce v_aderenze[] = {
    {Parola::aderenza, "aderenza", p_aderenza, false, "A change of adhesion. Start at 0 m and ascend.",
     "aderenza,    2000,    75", c_aderenza, "`aderenza` of the route cells.", k_posizione},
};

constexpr sv p_velocita[] = {"velocit"};
constexpr Campo c_velocita[] = {
    {"position p", "m", posizione_punto,
     "The limit holds from cell nearest(p / 50) up to the cell before the next entry.",
     r_posizione_profilo},
    {"speed", "km/h", "multiple of 5, 0 to 1275",
     "Stored in units of 5 km/h, rounded, as `velocita_limite` of every cell of its stretch; "
     "the last three cells keep 0.",
     {0, 1275, 5, false, velocita_limite, "speed limits are multiples of 5 from 0 to 1275 km/h"},
     {"63", 65, velocita_letta}},
};
constexpr Codice k_velocita[] = {codice::oltre_percorso, codice::lettura_fallita,
                                 codice::posizione_negativa};
constexpr Voce v_vel_limite[] = {
    {Parola::velocita, "velocita", p_velocita, false, "A change of the speed limit. Start at 0 m and ascend.",
     "velocita,    1000,    90", c_velocita, "`velocita_limite` of the route cells.", k_velocita},
};

constexpr sv p_stazione[] = {"stazione"};
constexpr Campo c_stazione[] = {
    {"position", "m", "multiple of 50, 0 to L + 6200", "Record `valore3`.",
     rifiuto(0, 50, e_stazione)},
    {"type", "", "0 to 255",
     "Record `tipo`. 5 and 6: the platform runs from position - length to position + 150, no "
     "approach marks. 7 and 8: from position - length to position + length. Other types: "
     "centred on the position. 25 and above: a record but no cell marks.",
     r_byte,
     {"2", 2, byte_stazione<&voce_tabella::tipo>}},
    {"platform length", "m", "multiple of 100",
     "Gives the platform start (`valore1`) and end (`valore2`).",
     rifiuto(nessun_minimo, 100, e_marciapiede)},
    {"opzione", "", "0 to 255", "Record `opzione`, as read.", r_byte,
     {"1", 1, byte_stazione<&voce_tabella::opzione>}},
    {"byte4", "", "0 to 255",
     "Record `byte4`; cleared for platforms under 600 m and for the first station.", r_byte,
     {"5", 0, byte_stazione<&voce_tabella::byte4>}},
    {"byte3", "", "0 to 255",
     "Non-zero adds 50 m to the platform end of centred types; record `byte3`, cleared for "
     "types 5 to 8 and for the first station.",
     r_byte,
     {"1", 0, byte_stazione<&voce_tabella::byte3>}},
    {"intero1", "", "-32768 to 32767", "Record `intero1`, as read.", r_intero16,
     {"-12", -12, intero_stazione<&voce_tabella::intero1>}},
    {"intero2", "", "-32768 to 32767", "Record `intero2`, as read.", r_intero16,
     {"1", 1, intero_stazione<&voce_tabella::intero2>}},
    {"byte1", "", "0 to 255", "Record `byte1`, as read.", r_byte,
     {"7", 7, byte_stazione<&voce_tabella::byte1>}},
    {"intero3", "", "-32768 to 32767", "Record `intero3`, as read.", r_intero16,
     {"2", 2, intero_stazione<&voce_tabella::intero3>}},
    {"intero4", "", "-32768 to 32767", "Record `intero4`, as read.", r_intero16,
     {"1", 1, intero_stazione<&voce_tabella::intero4>}},
    {"intero5", "", "-32768 to 32767", "Record `intero5`, as read.", r_intero16,
     {"-1", -1, intero_stazione<&voce_tabella::intero5>}},
    {"byte2", "", "0 to 255", "Record `byte2`, as read.", r_byte,
     {"9", 9, byte_stazione<&voce_tabella::byte2>}},
    {"hours", "h", "0 to 23", "Timetable time: `valore4` = (hours * 60 + minutes) * 60 + seconds.",
     r_ore,
     {"8", 8, ore_lette}},
    {"minutes", "min", "0 to 59", "Timetable time.", r_minuti,
     {"9", 9, minuti_letti}},
    {"seconds", "s", "0 to 59", "Timetable time.", r_secondi,
     {"30", 30, secondi_letti}},
    {"name", "text", "Windows-1252, the rest of the line", "Record `nome`.", senza_regola},
};
constexpr Codice k_stazione[] = {codice::stazione_non_multipla, codice::marciapiede_non_multiplo,
                                 codice::troppe_stazioni, codice::oltre_percorso,
                                 codice::marciapiedi_vicini, codice::fermata_in_partenza,
                                 codice::lettura_fallita, codice::posizione_negativa,
                                 codice::marciapiede_fuori};
constexpr Voce v_stazioni[] = {
    {Parola::stazione, "stazione", p_stazione, false,
     "A station or stop of the train, in the order the train meets them. Platforms of "
     "consecutive stations keep at least 350 m between them.",
     "stazione,    4500,  2,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   8, 9, 0, LAGO MARINELLA",
     c_stazione,
     "General records from 1 upward, one per station. The stop cell, one cell before the "
     "platform end (cell end / 50 - 1), becomes type 10 with the record number; the four cells "
     "before it get approach codes 81 (nearest) to 84.",
     k_stazione},
};

constexpr sv p_rallentamento[] = {"rallentamento"};
constexpr Campo c_rallentamento[] = {
    {"x", "m", posizione_punto,
     "Start of the slowdown: cell nearest(x / 50 + 1), type 3. Beyond 1500 m a warning board "
     "1200 m before it: cell nearest((x - 1200) / 50 + 1), type 4.",
     r_posizione},
    {"v", "km/h", "0 to 32767",
     "Slowdown speed, `dato1` of the start, end and board cells, in 16 bits. Below 110 km/h the "
     "compactor adds abbattimento points every 400 m inside it.",
     {0, max16, 1, false, in_16_bit, "slowdown speeds run 0 to 32767 km/h"},
     {"30", 30, dato_punto<&cella::dato1>}},
    {"l", "m", "100 or more; x + l within the route",
     "Length: the end cell nearest((x + l) / 50 + 1), type 2.",
     rifiuto(100, 1, e_rallentamento)},
    {"f_tt", "", "-32768 to 32767", "`dato3` of the start and end cells.", r_valore16,
     {"1", 1, dato_punto<&cella::dato3>}},
    {"f_ta", "", "0 or 1",
     "Non-zero marks the four cells before the warning board (type 5, numbered 1 to 4), as 1 "
     "does; ignored at 1500 m or less.",
     {0, 1, 1, false, vero_o_falso, "the warning-board marks are 0 (none) or 1"}},
    {"d_v", "", "-32768 to 32767",
     "Non-zero: `dato2` of the start, end and board cells, and the numbers of the four cells "
     "before the board.",
     r_valore16,
     {"7", 7, dato_punto<&cella::dato2>}},
};
constexpr Codice k_rallentamento[] = {codice::protezione_segnale,
                                      codice::protezione_prima_rallentamento,
                                      codice::protezione_dopo_rallentamento, codice::oltre_percorso,
                                      codice::cella_avviso_occupata, codice::cella_inizio_occupata,
                                      codice::cella_fine_occupata, codice::cella_preavviso_occupata,
                                      codice::posizione_negativa, codice::rallentamento_fuori,
                                      codice::rallentamento_corto, codice::partenza_primo_valore,
                                      codice::partenza_secondo_valore};
constexpr Voce v_rallentamenti[] = {
    {Parola::rallentamento, "rallentamento", p_rallentamento, false, "A stretch to be run at reduced speed.",
     "rallentamento,    3000,   30,  500,  1,  1,  0", c_rallentamento,
     "Start, end and warning-board cells; then the compactor protects it with abbattimento "
     "points (value 180) before the start, inside it and before the next signal.",
     k_rallentamento},
};

constexpr sv p_segnale[] = {"segnale"};
constexpr Regola r_cifra_s{0, 9, 1, false, nullptr, "signal values are digits, 0 to 9"};
constexpr Regola r_cifra_d{0, 9, 1, false, unita_coppia, "signal values are digits, 0 to 9"};
constexpr Campo c_segnale[] = {
    {"position", "m", "0 to L + 6900",
     "The signal lies in cell nearest(position / 50 + 1), made type 1; the cells 100, 200, 300 "
     "and 400 m before it get approach codes. Before 325 m the marks that would lie before the "
     "start of the route are left out, with a warning.",
     r_posizione},
    {"sx", "", "0 to 3", "Left group kind: `dato4` = rapp * 10 + sx * 3 + dx.",
     {0, 3, 1, false, aspetto_sx, "left group kinds run 0 to 3"},
     {"2", 2, sx_letto}},
    {"s1", "", "0 to 9", "`dato1` = s1 * 10 + d1.", r_cifra_s,
     {"5", 5, decine<&cella::dato1>}},
    {"s2", "", "0 to 9", "`dato2` = s2 * 10 + d2.", r_cifra_s,
     {"1", 1, decine<&cella::dato2>}},
    {"s3", "", "0 to 9", "`dato3` = s3 * 10 + d3.", r_cifra_s,
     {"1", 1, decine<&cella::dato3>}},
    {"rapp", "", "0 to 9", "The tens of `dato4`.", r_cifra_s,
     {"4", 4, rapp_letto}},
    {"dx", "", "0 to 2",
     "Right group kind; with sx it gives the approach codes (sx * 3 + dx) * 10 + 1 to 4.",
     {0, 2, 1, false, aspetto_dx, "right group kinds run 0 to 2"},
     {"1", 1, dx_letto}},
    {"d1", "", "0 to 9", "The units of `dato1`.", r_cifra_d,
     {"12", 2, unita<&cella::dato1>}},
    {"d2", "", "0 to 9", "The units of `dato2`.", r_cifra_d,
     {"3", 3, unita<&cella::dato2>}},
    {"d3", "", "0 to 9", "The units of `dato3`.", r_cifra_d,
     {"9", 9, unita<&cella::dato3>}},
    {"tempo", "", "0, or 101 to 255",
     "Signal time, stored only when sx is 2, in one byte; 1 to 100 are raised to 101.",
     {0, 255, 1, false, tempo_segnale, "signal times are 0, or 101 to 255"},
     {"50", 101, tempo_letto}},
};
constexpr Codice k_segnale[] = {codice::protezione_segnale, codice::oltre_percorso,
                                codice::cella_segnale_occupata, codice::posizione_negativa};
// sx, rapp and dx share `dato4`; the other packed values of the cells hold
// their fields apart for every value within their rules.
constexpr std::size_t campi_dato4[] = {1, 5, 6};
Pacchetto::Valori dato4_letto(const Pacchetto::Valori& v) {
  const AspettoSegnale a = decodifica_ripetizione(
      static_cast<std::int16_t>(basso16(codifica_ripetizione(v[1], codifica_aspetto(v[0], v[2])))));
  return {a.sx, a.rapp, a.dx};
}
constexpr Pacchetto pk_segnale[] = {
    {campi_dato4, dato4_letto,
     "`dato4` = rapp * 10 + sx * 3 + dx, where sx * 3 + dx must stay within the units, 0 to 9",
     "with sx 3, dx takes 0 only"},
};
constexpr Voce v_segnali[] = {
    {Parola::segnale, "segnale", p_segnale, false, "A signal.",
     "segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0", c_segnale,
     "One cell of type 1 and the approach codes of four cells before it.", k_segnale, pk_segnale},
};

constexpr sv p_abbattimento[] = {"abbattimento"};
constexpr Campo c_abbattimento[] = {
    {"position p", "m", posizione_punto, "The point lies in cell nearest(p / 50).", r_posizione},
    {"value", "", "0 to 32767",
     "Above 0: cell type 12 with the value in `dato1`, in 16 bits; 0 or less: cell type 13, as 0.",
     {0, max16, 1, false, valore_abbattimento, "abbattimento values run 0 to 32767"},
     {"-5", 0, abbattimento_letto}},
};
constexpr Codice k_abbattimento[] = {codice::cella_abbattimento_occupata, codice::oltre_percorso,
                                     codice::posizione_negativa, codice::partenza_primo_valore};
constexpr Voce v_codici[] = {
    {Parola::abbattimento, "abbattimento", p_abbattimento, false, "An abbattimento point.",
     "abbattimento,    2600,  180", c_abbattimento, "One cell of type 12 or 13.",
     k_abbattimento},
};

constexpr Sezione sezioni_treno[] = {
    {"[generale]",
     "Everything before the first field holding \"[generale]\" is ignored; from there on every "
     "entry of this text is recognised in any section.",
     v_generale_treno},
    {"[aderenze]", "Adhesion profile.", v_aderenze},
    {"[vel_limite]", "Speed-limit profile.", v_vel_limite},
    {"[stazioni]", "Stations.", v_stazioni},
    {"[rallentamenti]", "Slowdowns (none in the embedded scenario).", v_rallentamenti},
    {"[segnali]", "Signals.", v_segnali},
    {"[codici]", "Abbattimento points (none in the embedded scenario).", v_codici},
};

constexpr Testo elenco_testi[] = {
    {"Line description text", "ROUTE_linea.txt",
     "The line: its length and general values, then curves, gradients, terrain, speed boards "
     "and text boards.",
     sezioni_linea},
    {"Train description text", "ROUTE_TRAIN-.txt",
     "The train and what it meets: general values, adhesion and speed-limit profiles, "
     "stations, slowdowns, signals and abbattimento points.",
     sezioni_treno},
};

bool contiene_parola(std::string_view campo, std::string_view parola, bool maiuscole_distinte) {
  return maiuscole_distinte ? contiene(campo, parola) : contiene_nocase(campo, parola);
}

bool contiene_tutte(const Voce& v, std::string_view campo) {
  return std::all_of(v.contiene.begin(), v.contiene.end(), [&](std::string_view p) {
    return contiene_parola(campo, p, v.maiuscole_distinte);
  });
}

}  // namespace

std::span<const Testo> testi() { return elenco_testi; }

const Voce* voce_di(const Testo& testo, std::string_view campo) {
  for (const Sezione& s : testo.sezioni) {
    for (const Voce& v : s.voci) {
      if (contiene_tutte(v, campo)) return &v;
    }
  }
  return nullptr;
}

const Voce& voce(Parola chiave) {
  static const auto indice = [] {
    std::array<const Voce*, static_cast<std::size_t>(Parola::abbattimento) + 1> voci{};
    for (const Testo& t : elenco_testi) {
      for (const Sezione& s : t.sezioni) {
        for (const Voce& v : s.voci) voci[static_cast<std::size_t>(v.chiave)] = &v;
      }
    }
    return voci;
  }();
  return *indice[static_cast<std::size_t>(chiave)];
}

bool riconosce(Parola chiave, std::string_view campo) { return contiene_tutte(voce(chiave), campo); }

std::vector<const Voce*> voci_lette(std::span<const Parola> lettura, std::string_view campo) {
  std::vector<const Voce*> voci;
  for (Parola p : lettura) {
    if (riconosce(p, campo)) voci.push_back(&voce(p));
  }
  return voci;
}

bool ha_regola(const Regola& r) {
  return r.minimo != senza_regola.minimo || r.massimo != senza_regola.massimo || r.passo != 1 ||
         r.crescente;
}

bool regola_avvisata(const Regola& r) { return ha_regola(r) && r.codici.empty() && r.avviso.empty(); }

Modo modo_di(const Campo& campo) { return campo.unita == "text" ? Modo::testo : Modo::numero; }

std::vector<Modo> modi_di(const Voce& voce) {
  std::vector<Modo> modi;
  for (const Campo& c : voce.campi) modi.push_back(modo_di(c));
  return modi;
}

}  // namespace scenari::riferimento
