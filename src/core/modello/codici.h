// The error codes of a build, each named once. The numbers are those the
// scenario format has always used; 104 up are refusals of entries the model
// cannot hold, 1250 and 1251 the two fatal start-record checks.
#pragma once

#include <cstdint>
#include <span>

namespace scenari::codice {

inline constexpr std::int32_t lunghezza_eccessiva = 1;
inline constexpr std::int32_t progressiva_non_multipla = 2;
inline constexpr std::int32_t ripetizione_primo_valore = 3;
inline constexpr std::int32_t ripetizione_secondo_valore = 4;
inline constexpr std::int32_t ripetizione_senza_codice = 5;
inline constexpr std::int32_t cella_cartello_occupata = 6;
inline constexpr std::int32_t cella_abbattimento_occupata = 7;
inline constexpr std::int32_t stazione_non_multipla = 8;
inline constexpr std::int32_t marciapiede_non_multiplo = 9;
inline constexpr std::int32_t troppe_stazioni = 10;
inline constexpr std::int32_t protezione_segnale = 11;
inline constexpr std::int32_t protezione_prima_rallentamento = 12;
inline constexpr std::int32_t protezione_dopo_rallentamento = 13;
inline constexpr std::int32_t oltre_percorso = 15;
inline constexpr std::int32_t cella_segnale_occupata = 16;
inline constexpr std::int32_t cella_avviso_occupata = 17;
inline constexpr std::int32_t cella_inizio_occupata = 18;
inline constexpr std::int32_t cella_fine_occupata = 19;
inline constexpr std::int32_t cella_preavviso_occupata = 20;
inline constexpr std::int32_t cella_indicatore_occupata = 21;
inline constexpr std::int32_t marciapiedi_vicini = 22;
inline constexpr std::int32_t fermata_in_partenza = 24;
inline constexpr std::int32_t lettura_fallita = 25;
inline constexpr std::int32_t linea_assente = 101;
inline constexpr std::int32_t generale_assente = 102;
inline constexpr std::int32_t curva_non_valida = 103;
inline constexpr std::int32_t fine_oltre_percorso = 104;
inline constexpr std::int32_t troppe_montagne = 105;
inline constexpr std::int32_t troppi_cartelli = 106;
inline constexpr std::int32_t posizione_negativa = 107;
inline constexpr std::int32_t senza_lunghezza = 108;
inline constexpr std::int32_t rallentamento_fuori = 112;
inline constexpr std::int32_t rallentamento_corto = 113;
inline constexpr std::int32_t marciapiede_fuori = 114;
inline constexpr std::int32_t partenza_primo_valore = 1250;
inline constexpr std::int32_t partenza_secondo_valore = 1251;

// What a code means and what an author does about it.
struct Descrizione {
  std::int32_t numero;
  // A code of the format itself (below 104): the readers stop on it as the
  // format prescribes. The others are refusals of single entries that the
  // model cannot hold; reading goes on after them.
  bool del_formato;
  const char* nome;         // stable short name, e.g. "cell-taken"
  const char* significato;  // one line, lower case
  const char* aiuto;        // how to fix it
};

// Every code, in increasing order.
std::span<const Descrizione> tutti();
// The description of `numero`; a placeholder for a number that is no code.
const Descrizione& descrivi(std::int32_t numero);

}  // namespace scenari::codice
