#include "tool/cp1252.h"

#include <array>
#include <cstdint>

namespace scenari::tool {

namespace {

// Characters of bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> blocco_80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void aggiungi_utf8(std::string& uscita, char32_t c) {
  auto byte = [&](std::uint32_t v) { uscita.push_back(static_cast<char>(v)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

char byte_1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < blocco_80.size(); ++i) {
    if (blocco_80[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

CarattereUtf8 carattere_utf8(std::string_view testo, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(testo[i]); };
  const unsigned char primo = byte(pos);
  if (primo < 0x80) return {primo, 1};
  const std::size_t n = primo >= 0xC2 && primo <= 0xDF   ? 2
                        : primo >= 0xE0 && primo <= 0xEF ? 3
                        : primo >= 0xF0 && primo <= 0xF4 ? 4
                                                         : 0;
  const CarattereUtf8 malformato{0xFFFD, 1};
  if (n == 0 || pos + n > testo.size()) return malformato;
  char32_t c = primo & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return malformato;
    c = (c << 6) | (byte(pos + i) & 0x3F);
  }
  // Overlong forms and surrogates are no characters.
  const char32_t minimo = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
  if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return malformato;
  return {c, n};
}

std::string cp1252_da_utf8(std::string_view testo) {
  std::string uscita;
  uscita.reserve(testo.size());
  for (std::size_t pos = 0; pos < testo.size();) {
    const CarattereUtf8 c = carattere_utf8(testo, pos);
    uscita.push_back(c.codice == 0xFFFD ? '?' : byte_1252(c.codice));
    pos += c.byte;
  }
  return uscita;
}

std::string utf8_da_1252(std::string_view testo) {
  std::string uscita;
  uscita.reserve(testo.size());
  for (char ch : testo) {
    const auto b = static_cast<unsigned char>(ch);
    const char32_t c = (b >= 0x80 && b < 0xA0) ? blocco_80[b - 0x80] : b;
    aggiungi_utf8(uscita, c);
  }
  return uscita;
}

std::string nome_visibile(std::string_view nome) {
  constexpr const char* cifre = "0123456789ABCDEF";
  std::string testo;
  for (char c : nome) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      testo += std::string("\\x") + cifre[byte >> 4] + cifre[byte & 0xF];
    } else {
      testo += c;
    }
  }
  return testo;
}

}  // namespace scenari::tool
