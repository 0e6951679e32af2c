// The base protocol's framing: each message is a header block ("Name:
// value" lines ended by CR LF, then an empty line) whose Content-Length
// gives the size of the JSON body that follows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scenari::lsp {

// One framed unit taken off the input: a body, or a header block that
// names no usable length (the body, if any, cannot be found).
struct Unita {
  std::string corpo;
  bool header_malformato = false;
};

// Gathers input as it arrives and hands back whole messages.
class Cornice {
 public:
  // A body longer than this is refused as a malformed header.
  static constexpr std::size_t corpo_massimo = 64 * 1024 * 1024;

  void aggiungi(std::string_view byte) { buffer_.append(byte); }
  // The next whole unit, or nothing until more input arrives.
  std::optional<Unita> prossima();

 private:
  std::string buffer_;
};

// A body with its header, ready to write.
std::string incornicia(std::string_view corpo);

}  // namespace scenari::lsp
