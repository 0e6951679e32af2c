// The plan array encoded as the plan file stores it, written apart from the
// program's encoder (which walks the runs of a Tracciato) so that each
// checks the other: a 16-bit kind tag (0 empty, 2 integer, 5 double) before
// each value.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "core/formato/planimetria.h"

namespace scenari::test {

inline std::string codifica_piano(const Planimetria& piano) {
  std::string byte;
  auto aggiungi = [&byte](const void* dati, std::size_t n) {
    byte.append(static_cast<const char*>(dati), n);
  };
  for (std::size_t i = 0; i < piano.numero_elementi(); ++i) {
    const valore_piano e = piano.elemento(i);
    const auto tag = static_cast<std::uint16_t>(
        std::holds_alternative<std::monostate>(e) ? 0 : std::holds_alternative<std::int16_t>(e) ? 2 : 5);
    aggiungi(&tag, 2);
    if (const auto* n = std::get_if<std::int16_t>(&e)) aggiungi(n, 2);
    if (const auto* d = std::get_if<double>(&e)) aggiungi(d, 8);
  }
  return byte;
}

}  // namespace scenari::test
