// Exit statuses of scenari-tool: those of a scenari run, plus the one for a
// command line that cannot be understood.
#pragma once

#include <string>
#include <string_view>

#include "esecuzione/incorporato.h"
#include "esecuzione/nomi_validi.h"

namespace scenari::tool {

inline constexpr int uscita_uso = 64;

// A refusal the tool reports on standard error and ends with `stato`.
struct Rifiuto {
  int stato;
  std::string messaggio;
};

// Refuses (status 64, with the reason) a route name or train number that
// cannot form a scenario's file names, before anything is read or written.
inline void rifiuta_nomi_non_validi(std::string_view nome_linea, std::string_view numero_treno) {
  if (auto motivo = nome_rifiutato(nome_linea, numero_treno)) {
    throw Rifiuto{uscita_uso, "refused: " + *motivo};
  }
}

}  // namespace scenari::tool
