// What the members of a route cell mean: the cell a position lands in, the
// metre the object of a cell was placed at, and how every packed value and
// stamp is encoded. The readers encode with these; dump, the plot and its
// page decode with them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/formato/record.h"

namespace scenari {

inline constexpr std::int64_t metri_per_cella = 50;

// nearest(numeratore / denominatore): exact division, ties to the even
// whole number. denominatore must be positive.
std::int64_t arrotonda(std::int64_t numeratore, std::int64_t denominatore);

// A point object at p metres (signal, slowdown cell, board) lies in cell
// nearest(p / 50 + 1), so the object of cell k was placed at (k - 1) x 50 m,
// give or take 25.
std::int64_t cella_punto(std::int64_t posizione);
std::int64_t metro_punto(std::int64_t cella);

// Profile values, gradients, terrain stretches and abbattimento points start
// in cell nearest(p / 50); cell k starts at k x 50 m.
std::int64_t cella_profilo(std::int64_t posizione);
std::int64_t inizio_cella(std::int64_t cella);

// A station's stop cell lies one cell before its platform end: end / 50 - 1,
// truncated toward zero.
std::int64_t cella_fermata(std::int64_t fine_marciapiede);
std::int64_t metro_fermata(std::int64_t cella);

// The metre an author wrote for what cell `indice` holds: the point rule
// for point objects, the platform end for a stop cell, the cell's start for
// anything else.
std::int64_t metro_autore(std::size_t indice, const cella& c);

// Gradient: the low 8 bits of per mille plus 100.
std::uint8_t codifica_pendenza(std::int64_t per_mille);
int pendenza_per_mille(std::uint8_t pendenza);

// Speed limit: units of 5 km/h, nearest; whether it fits a byte is the
// reader's test.
inline constexpr int passo_velocita = 5;
std::int64_t passi_velocita(std::int64_t kmh);
int velocita_kmh(std::uint8_t passi);

// A speed board value packs its two sides: nearest(d / 5 + s x 20).
struct VelocitaCartello {
  int s;
  int d;
};
std::int64_t codifica_cartello_velocita(std::int64_t s, std::int64_t d);
VelocitaCartello decodifica_cartello_velocita(std::int16_t valore);

// Signal values and a board's stripes pack two digits: s x 10 + d.
struct Coppia {
  int s;
  int d;
};
std::int64_t codifica_coppia(std::int64_t s, std::int64_t d);
Coppia decodifica_coppia(std::int16_t valore);

// A signal's fourth value packs the repetition and the aspect: rapp x 10 +
// sx x 3 + dx; its k-th approach cell (k = 1 to 4, 100 m apart back from it)
// carries aspect x 10 + k, a station's k-th cell before the stop 80 + k.
struct AspettoSegnale {
  int rapp;
  int sx;
  int dx;
};
std::int64_t codifica_aspetto(std::int64_t sx, std::int64_t dx);
std::int64_t codifica_ripetizione(std::int64_t rapp, std::int64_t aspetto);
AspettoSegnale decodifica_ripetizione(std::int16_t valore);
std::int64_t avvicinamento_segnale(std::int64_t aspetto, std::int64_t k);
std::int64_t avvicinamento_stazione(std::int64_t k);

// The start record: cell 1 holds its stamp in dato1 and a check code in
// dato2; general record 85 its stamp in intero1 and a check code in valore4.
inline constexpr std::size_t cella_partenza = 1;
inline constexpr std::int16_t timbro_cella_partenza = 5121;
inline constexpr std::int16_t timbro_voce_partenza = 610;
bool cella_timbrata(std::size_t indice, const cella& c);
bool voce_timbrata(const voce_tabella& v);

}  // namespace scenari
