// The error codes of a build, each named once, as a type of their own so that
// no bare number passes for a code. The numbers are those the scenario format
// has always used; 104 up are refusals of entries the model cannot hold, 1250
// and 1251 the two fatal start-record checks.
#pragma once

#include <cstdint>
#include <span>

namespace scenari {

enum class Codice : std::int32_t {
  lunghezza_eccessiva = 1,
  progressiva_non_multipla = 2,
  ripetizione_primo_valore = 3,
  ripetizione_secondo_valore = 4,
  ripetizione_senza_codice = 5,
  cella_cartello_occupata = 6,
  cella_abbattimento_occupata = 7,
  stazione_non_multipla = 8,
  marciapiede_non_multiplo = 9,
  troppe_stazioni = 10,
  protezione_segnale = 11,
  protezione_prima_rallentamento = 12,
  protezione_dopo_rallentamento = 13,
  oltre_percorso = 15,
  cella_segnale_occupata = 16,
  cella_avviso_occupata = 17,
  cella_inizio_occupata = 18,
  cella_fine_occupata = 19,
  cella_preavviso_occupata = 20,
  cella_indicatore_occupata = 21,
  marciapiedi_vicini = 22,
  fermata_in_partenza = 24,
  lettura_fallita = 25,
  linea_assente = 101,
  generale_assente = 102,
  curva_non_valida = 103,
  fine_oltre_percorso = 104,
  troppe_montagne = 105,
  troppi_cartelli = 106,
  posizione_negativa = 107,
  senza_lunghezza = 108,
  rallentamento_fuori = 112,
  rallentamento_corto = 113,
  marciapiede_fuori = 114,
  partenza_primo_valore = 1250,
  partenza_secondo_valore = 1251,
};

// The codes as codice::oltre_percorso, their descriptions, and the number
// that reports, the editor and files show for each.
namespace codice {

using enum Codice;

constexpr std::int32_t numero(Codice c) { return static_cast<std::int32_t>(c); }

// What a code means and what an author does about it.
struct Descrizione {
  Codice codice;
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
// The description of `c`; a placeholder for a value cast from a number that
// is no code.
const Descrizione& descrivi(Codice c);

}  // namespace codice

}  // namespace scenari
