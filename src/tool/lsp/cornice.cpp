#include "tool/lsp/cornice.h"

#include <cctype>
#include <charconv>

namespace scenari::lsp {

namespace {

bool stesso_nome(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::string_view senza_spazi(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The Content-Length of a header block, when it gives one that is usable.
std::optional<std::size_t> lunghezza(std::string_view header) {
  std::optional<std::size_t> trovata;
  while (!header.empty()) {
    const std::size_t fine = std::min(header.find("\r\n"), header.size());
    const std::string_view riga = header.substr(0, fine);
    header.remove_prefix(std::min(fine + 2, header.size()));
    const std::size_t due_punti = riga.find(':');
    if (due_punti == std::string_view::npos) return std::nullopt;
    if (!stesso_nome(senza_spazi(riga.substr(0, due_punti)), "Content-Length")) continue;
    const std::string_view valore = senza_spazi(riga.substr(due_punti + 1));
    std::size_t n = 0;
    const auto [fine_numero, errore] =
        std::from_chars(valore.data(), valore.data() + valore.size(), n);
    if (errore != std::errc() || fine_numero != valore.data() + valore.size()) return std::nullopt;
    if (n > Cornice::corpo_massimo) return std::nullopt;
    trovata = n;
  }
  return trovata;
}

}  // namespace

std::optional<Unita> Cornice::prossima() {
  const std::size_t fine_header = buffer_.find("\r\n\r\n");
  if (fine_header == std::string::npos) {
    // A header longer than any real one is garbage: drop it rather than
    // gather input without end.
    if (buffer_.size() > 64 * 1024) {
      buffer_.clear();
      return Unita{{}, true};
    }
    return std::nullopt;
  }
  const std::optional<std::size_t> n = lunghezza(std::string_view(buffer_).substr(0, fine_header));
  const std::size_t inizio = fine_header + 4;
  if (!n) {
    buffer_.erase(0, inizio);
    return Unita{{}, true};
  }
  if (buffer_.size() - inizio < *n) return std::nullopt;
  Unita u{buffer_.substr(inizio, *n), false};
  buffer_.erase(0, inizio + *n);
  return u;
}

std::string incornicia(std::string_view corpo) {
  std::string s = "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n";
  s.append(corpo);
  return s;
}

}  // namespace scenari::lsp
