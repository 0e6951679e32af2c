#include "tool/lsp/righe.h"

#include "tool/cp1252.h"

namespace scenari::lsp {

namespace {

std::size_t unita_di(char32_t c) { return c > 0xFFFF ? 2 : 1; }

}  // namespace

std::size_t utf16_da_byte(std::string_view riga, std::size_t byte) {
  std::size_t unita = 0;
  for (std::size_t pos = 0; pos < riga.size() && pos < byte;) {
    const tool::CarattereUtf8 c = tool::carattere_utf8(riga, pos);
    unita += unita_di(c.codice);
    pos += c.byte;
  }
  return unita;
}

std::size_t byte_da_utf16(std::string_view riga, std::size_t unita) {
  std::size_t pos = 0;
  for (std::size_t contate = 0; pos < riga.size();) {
    const tool::CarattereUtf8 c = tool::carattere_utf8(riga, pos);
    if (contate + unita_di(c.codice) > unita) break;
    contate += unita_di(c.codice);
    pos += c.byte;
  }
  return pos;
}

std::size_t byte_da_carattere(std::string_view riga, std::size_t n) {
  std::size_t pos = 0;
  for (std::size_t contati = 0; pos < riga.size() && contati < n; ++contati) {
    pos += tool::carattere_utf8(riga, pos).byte;
  }
  return pos;
}

}  // namespace scenari::lsp
