#include "core/lettura/cursore.h"

namespace scenari {

bool CursoreLettura::segna_arresto(Modello& m) {
  for (auto p = m.problemi.rbegin(); p != m.problemi.rend(); ++p) {
    if (p->errore()) {
      p->ferma_lettura = true;
      if (leggi_oltre_arresti) {
        // The stop itself follows the stop before it.
        segna_dopo_arresto(m.problemi);
        arresto_in_corso = p->luogo;
      }
      break;
    }
  }
  return !leggi_oltre_arresti;
}

void CursoreLettura::segna_dopo_arresto(std::vector<Problema>& problemi) {
  if (arresto_in_corso) {
    for (std::size_t i = segnati_; i < problemi.size(); ++i) problemi[i].dopo_arresto = arresto_in_corso;
  }
  segnati_ = problemi.size();
}

}  // namespace scenari
