// The reading cursor: what the readers keep while they read the two texts
// and the simulator never gets. Which text is read and the field last read,
// the counters that run on from entry to entry and from the line text to the
// train text, and the stops read past when reading for checking.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/formato/record.h"
#include "core/lettura/scansione.h"
#include "core/modello/modello.h"

namespace scenari {

inline constexpr int numero_massimo_montagne = 80;

struct CursoreLettura {
  // Reading for checking only: a stop is recorded, then reading goes on as
  // if the stopping entry were absent, so the mistakes after it are found
  // too. Such a model is never encoded.
  explicit CursoreLettura(bool oltre_arresti = false) : leggi_oltre_arresti(oltre_arresti) {}

  std::string file_in_lettura;  // the description text now being read, if any
  std::string riga;             // the field last read: a keyword field or a board's text

  // The terrain stretches stored so far, stretch n at index n from 1; the
  // count starts again where the body of the line text begins.
  std::int32_t numero_montagne = 0;
  std::array<std::int32_t, numero_massimo_montagne + 1> inizio_montagna{};
  std::array<std::int32_t, numero_massimo_montagne + 1> fine_montagna{};

  // Record counter of the text boards (80 downward) as the line reader left
  // it; the train reader's stations must stay below it.
  std::int32_t contatore_cartelli = voce::primo_cartello;

  // Where the first two values of records 81 to 83 were written, moved with
  // the values when the progressives are put in order; the train reader
  // checks them at its end.
  std::array<std::array<Luogo, 2>, 3> luoghi_progressive{};

  bool leggi_oltre_arresti = false;
  // The last stop read past; every problem recorded after it carries it.
  std::optional<Luogo> arresto_in_corso;

  // The place of a field of the text now being read.
  Luogo luogo(const Tratto& tratto) const {
    return {file_in_lettura, tratto.riga, tratto.inizio, tratto.fine};
  }

  // Marks the last error of `m` as the one that ended the reading of its
  // text; true when the reader is to stop, false when it reads on for
  // checking.
  bool segna_arresto(Modello& m);

  // Gives the problems recorded since the last call the stop they follow,
  // if any.
  void segna_dopo_arresto(std::vector<Problema>& problemi);

 private:
  std::size_t segnati_ = 0;  // problems already given the stop they follow
};

}  // namespace scenari
