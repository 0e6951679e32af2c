#include "tool/lsp/uri.h"

#include <cctype>

namespace scenari::lsp {

namespace {

int cifra(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool drive(std::string_view p) {
  return p.size() >= 3 && p[0] == '/' && std::isalpha(static_cast<unsigned char>(p[1])) &&
         p[2] == ':';
}

}  // namespace

std::optional<std::string> percorso_da_uri(std::string_view uri) {
  constexpr std::string_view schema = "file://";
  if (uri.size() < schema.size()) return std::nullopt;
  for (std::size_t i = 0; i < schema.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(uri[i])) != schema[i]) return std::nullopt;
  }
  uri.remove_prefix(schema.size());
  // The authority, empty or "localhost" for a local file.
  const std::size_t barra = uri.find('/');
  if (barra == std::string_view::npos) return std::nullopt;
  uri.remove_prefix(barra);
  std::string percorso;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && cifra(uri[i + 1]) >= 0 && cifra(uri[i + 2]) >= 0) {
      percorso.push_back(static_cast<char>(cifra(uri[i + 1]) * 16 + cifra(uri[i + 2])));
      i += 2;
    } else {
      percorso.push_back(uri[i]);
    }
  }
  if (drive(percorso)) percorso.erase(0, 1);
  return percorso;
}

std::string uri_da_percorso(std::string_view percorso) {
  static const char esadecimali[] = "0123456789ABCDEF";
  std::string uri = "file://";
  if (!percorso.starts_with('/')) uri.push_back('/');
  for (char c : percorso) {
    const auto b = static_cast<unsigned char>(c);
    if (std::isalnum(b) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      uri.push_back(c);
    } else {
      uri.push_back('%');
      uri.push_back(esadecimali[b >> 4]);
      uri.push_back(esadecimali[b & 0xF]);
    }
  }
  return uri;
}

}  // namespace scenari::lsp
