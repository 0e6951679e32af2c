// The records of the two record files: a route cell (.dat) and a general
// record (.sim). Member order and widths are those of the files; the
// encoders write them field by field, so the in-memory layout itself is free.
#pragma once

#include <cstdint>
#include <string>

namespace scenari {

struct cella {
  std::uint8_t tipo = 0;
  std::int16_t dato1 = 0;
  std::int16_t dato2 = 0;
  std::int16_t dato3 = 0;
  std::int16_t dato4 = 0;
  std::uint8_t tempo_segnale = 0;
  std::uint8_t avvicinamento = 0;
  std::uint8_t montagna = 0;
  std::uint8_t velocita_limite = 0;
  std::uint8_t pendenza = 0;
  std::uint8_t aderenza = 0;

  bool operator==(const cella&) const = default;
};

struct voce_tabella {
  std::uint8_t tipo = 0;
  std::int32_t valore1 = 0;
  std::int32_t valore2 = 0;
  std::int32_t valore3 = 0;
  std::uint8_t opzione = 0;
  std::string nome;  // single-byte (Windows-1252) characters
  std::int16_t intero1 = 0;
  std::int16_t intero2 = 0;
  std::int16_t intero3 = 0;
  std::int16_t intero4 = 0;
  std::int16_t intero5 = 0;
  std::uint8_t byte1 = 0;
  std::uint8_t byte2 = 0;
  std::uint8_t byte3 = 0;
  std::uint8_t byte4 = 0;
  std::int32_t valore4 = 0;

  bool operator==(const voce_tabella&) const = default;
};

inline constexpr int numero_voci = 87;

// The object a cell holds (`tipo`).
namespace tipo_cella {
inline constexpr std::uint8_t vuota = 0;
inline constexpr std::uint8_t segnale = 1;
inline constexpr std::uint8_t fine_rallentamento = 2;
inline constexpr std::uint8_t inizio_rallentamento = 3;
inline constexpr std::uint8_t cartello_avviso = 4;    // 1200 m before a slowdown start
inline constexpr std::uint8_t prima_dell_avviso = 5;  // the four cells before a warning board
inline constexpr std::uint8_t indicatore_velocita = 6;
inline constexpr std::uint8_t fermata = 10;           // station stop cell
inline constexpr std::uint8_t marcatore_montagna = 11;
inline constexpr std::uint8_t abbattimento_con_valore = 12;
inline constexpr std::uint8_t abbattimento = 13;
inline constexpr std::uint8_t cartello_testo = 14;

// What a cell type holds, in a few words: "signal", "slowdown end".
const char* nome(std::uint8_t tipo);
}  // namespace tipo_cella

// Where the general table keeps what: stations from record 1 up, text
// boards from record 80 down, general values in 81 to 86.
namespace voce {
inline constexpr int prima_stazione = 1;
inline constexpr int primo_cartello = 80;
inline constexpr int progressiva_tre = 81;  // the largest first value once ordered
inline constexpr int progressiva_due = 82;
inline constexpr int progressiva_uno = 83;
inline constexpr int treno = 84;     // braked mass, route length, cars
inline constexpr int linea = 85;     // backgrounds, route name, start stamp, check code
inline constexpr int orologio = 86;  // signal repetition, train number, sand, clock
}  // namespace voce

}  // namespace scenari
