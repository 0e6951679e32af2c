// The start record: cell 1 and record 85 are checked and stamped with two
// fixed values and two check codes derived from the train and route names.
#include <string>
#include <string_view>

#include "core/modello/codici.h"
#include "core/percorso/percorso.h"

namespace scenari {

namespace {

constexpr std::string_view riempimento = "aabbccddeeffgghhiillmmnnoo";
constexpr std::size_t lunghezza_chiave = 25;

// Lower case of a Windows-1252 character: ASCII letters, the accented
// capitals and the four capitals of the 0x80 block.
unsigned char minuscola_1252(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
    return static_cast<unsigned char>(c + 0x20);
  }
  switch (c) {
    case 0x8A: case 0x8C: case 0x8E: return static_cast<unsigned char>(c + 0x10);
    case 0x9F: return 0xFF;
    default: return c;
  }
}

// chiave_gara: train number and route name, lower-cased, padded, cut to 25.
std::string chiave_gara(const Modello& m) {
  std::string chiave = m.record(voce::orologio).nome + m.record(voce::linea).nome;
  for (char& c : chiave) {
    c = static_cast<char>(minuscola_1252(static_cast<unsigned char>(c)));
  }
  chiave += riempimento;
  chiave.resize(lunghezza_chiave);
  return chiave;
}

}  // namespace

std::int32_t codice_gara_og(const Modello& m) {
  std::int32_t og = 0;
  for (char c : chiave_gara(m)) og += static_cast<unsigned char>(c);
  return og;
}

std::int32_t codice_gara_st(const Modello& m) {
  const std::string chiave = chiave_gara(m);
  std::int32_t st = 0;
  for (std::size_t i = 0; i < chiave.size(); ++i) {
    st += static_cast<std::int32_t>(i + 1) * static_cast<unsigned char>(chiave[i]);
  }
  return st;
}

std::optional<Codice> codici_partenza(Modello& m) {
  voce_tabella& voce = m.record(voce::linea);
  cella& partenza = m.celle_percorso.at(cella_partenza);
  if (voce.intero1 != 0 || partenza.dato1 != 0) return codice::partenza_primo_valore;
  voce.intero1 = timbro_voce_partenza;
  partenza.dato1 = timbro_cella_partenza;
  if (voce.valore4 != 0 || partenza.dato2 != 0) return codice::partenza_secondo_valore;
  voce.valore4 = codice_gara_st(m);
  partenza.dato2 = static_cast<std::int16_t>(codice_gara_og(m));
  return std::nullopt;
}

}  // namespace scenari
