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

}  // namespace scenari
