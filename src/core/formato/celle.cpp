#include "core/formato/celle.h"

namespace scenari {

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

std::int64_t cella_punto(std::int64_t posizione) {
  return arrotonda(posizione + metri_per_cella, metri_per_cella);
}
std::int64_t metro_punto(std::int64_t cella) { return (cella - 1) * metri_per_cella; }

std::int64_t cella_profilo(std::int64_t posizione) { return arrotonda(posizione, metri_per_cella); }
std::int64_t inizio_cella(std::int64_t cella) { return cella * metri_per_cella; }

std::int64_t cella_fermata(std::int64_t fine_marciapiede) {
  return fine_marciapiede / metri_per_cella - 1;
}
std::int64_t metro_fermata(std::int64_t cella) { return (cella + 1) * metri_per_cella; }

std::int64_t metro_autore(std::size_t indice, const cella& c) {
  const auto k = static_cast<std::int64_t>(indice);
  switch (c.tipo) {
    case tipo_cella::segnale:
    case tipo_cella::fine_rallentamento:
    case tipo_cella::inizio_rallentamento:
    case tipo_cella::cartello_avviso:
    case tipo_cella::indicatore_velocita:
    case tipo_cella::cartello_testo: return metro_punto(k);
    case tipo_cella::fermata: return metro_fermata(k);
    default: return inizio_cella(k);
  }
}

std::uint8_t codifica_pendenza(std::int64_t per_mille) {
  return static_cast<std::uint8_t>(static_cast<std::uint64_t>(per_mille) + 100u);
}
int pendenza_per_mille(std::uint8_t pendenza) { return pendenza - 100; }

std::int64_t passi_velocita(std::int64_t kmh) { return arrotonda(kmh, passo_velocita); }
int velocita_kmh(std::uint8_t passi) { return passi * passo_velocita; }

std::int64_t codifica_cartello_velocita(std::int64_t s, std::int64_t d) {
  return arrotonda(d + s * 100, 5);
}
VelocitaCartello decodifica_cartello_velocita(std::int16_t valore) {
  return {valore / 20, valore % 20 * 5};
}

std::int64_t codifica_coppia(std::int64_t s, std::int64_t d) { return s * 10 + d; }
Coppia decodifica_coppia(std::int16_t valore) { return {valore / 10, valore % 10}; }

std::int64_t codifica_aspetto(std::int64_t sx, std::int64_t dx) { return sx * 3 + dx; }
std::int64_t codifica_ripetizione(std::int64_t rapp, std::int64_t aspetto) {
  return rapp * 10 + aspetto;
}
AspettoSegnale decodifica_ripetizione(std::int16_t valore) {
  const int aspetto = valore % 10;
  return {valore / 10, aspetto / 3, aspetto % 3};
}
std::int64_t avvicinamento_segnale(std::int64_t aspetto, std::int64_t k) { return aspetto * 10 + k; }
std::int64_t avvicinamento_stazione(std::int64_t k) { return 80 + k; }

bool cella_timbrata(std::size_t indice, const cella& c) {
  return indice == cella_partenza && c.dato1 == timbro_cella_partenza;
}
bool voce_timbrata(const voce_tabella& v) { return v.intero1 == timbro_voce_partenza; }

}  // namespace scenari
