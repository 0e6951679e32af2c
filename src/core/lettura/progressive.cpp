#include <array>

#include "core/lettura/lettura_linea.h"

namespace scenari {

namespace {

// A progressive's three values, with where its first two were written.
struct Terna {
  std::int32_t primo = 0;
  std::int32_t secondo = 0;
  std::int32_t terzo = 0;
  std::array<Luogo, 2> luoghi{};
};

std::size_t indice(int record) { return static_cast<std::size_t>(record - voce::progressiva_tre); }

Terna leggi_terna(const Modello& m, const CursoreLettura& cursore, int record) {
  const voce_tabella& voce = m.record(record);
  return {voce.valore1, voce.valore2, voce.valore3, cursore.luoghi_progressive[indice(record)]};
}

void scrivi_terna(Modello& m, CursoreLettura& cursore, int record, const Terna& terna) {
  voce_tabella& voce = m.record(record);
  voce.valore1 = terna.primo;
  voce.valore2 = terna.secondo;
  voce.valore3 = terna.terzo;
  cursore.luoghi_progressive[indice(record)] = terna.luoghi;
}

// Largest first value first; a shared largest value leaves nothing usable.
std::array<Terna, 3> per_primo_valore(const Terna& tre, const Terna& due, const Terna& uno) {
  if (tre.primo > due.primo && tre.primo > uno.primo) {
    return due.primo > uno.primo ? std::array{tre, due, uno} : std::array{tre, uno, due};
  }
  if (due.primo > tre.primo && due.primo > uno.primo) {
    return tre.primo > uno.primo ? std::array{due, tre, uno} : std::array{due, uno, tre};
  }
  if (uno.primo > tre.primo && uno.primo > due.primo) {
    return tre.primo > due.primo ? std::array{uno, tre, due} : std::array{uno, due, tre};
  }
  return {};
}

// All first values cancelling out: the last triplet with a positive second
// value (in the order tre, due, uno) comes first.
std::array<Terna, 3> per_secondo_valore(const Terna& tre, const Terna& due, const Terna& uno) {
  std::array<Terna, 3> risultato{};
  if (tre.secondo > 0) risultato = {tre, due, uno};
  if (due.secondo > 0) risultato = {due, tre, uno};
  if (uno.secondo > 0) risultato = {uno, due, tre};
  return risultato;
}

}  // namespace

void progressive_ordina(Modello& m, CursoreLettura& cursore) {
  const Terna tre = leggi_terna(m, cursore, voce::progressiva_tre);
  const Terna due = leggi_terna(m, cursore, voce::progressiva_due);
  const Terna uno = leggi_terna(m, cursore, voce::progressiva_uno);
  const std::int64_t somma = std::int64_t{tre.primo} + due.primo + uno.primo;
  const auto ordinate =
      somma != 0 ? per_primo_valore(tre, due, uno) : per_secondo_valore(tre, due, uno);
  for (int i = 0; i < 3; ++i) {
    Terna terna = ordinate[static_cast<std::size_t>(i)];
    // Wraps like the 32-bit member it is stored in rather than overflowing.
    if (terna.terzo == 1) {
      terna.secondo = static_cast<std::int32_t>(static_cast<std::uint32_t>(terna.secondo) + 100u);
    }
    scrivi_terna(m, cursore, voce::progressiva_tre + i, terna);
  }
}

}  // namespace scenari
