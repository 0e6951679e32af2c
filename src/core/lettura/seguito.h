// What a reader does next, after an entry, a section or a whole text: the
// one answer of the line reader and the train reader alike.
#pragma once

namespace scenari {

enum class Seguito {
  continua,      // go on: the next keyword field, section or text
  rifiutata,     // the entry was refused and had no effect: go on as after continua
  fine_sezione,  // the section ends here: go on with the next one
  fine_testo,    // the text ends here: its fills are completed, then the next text is read
  arresto,       // stop at once: nothing more is filled or read
};

// Whether the reading of the text ends here; a refused entry ends nothing.
inline bool ferma(Seguito s) { return s == Seguito::fine_testo || s == Seguito::arresto; }

}  // namespace scenari
