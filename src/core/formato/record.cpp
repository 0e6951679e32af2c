#include "core/formato/record.h"

namespace scenari::tipo_cella {

const char* nome(std::uint8_t tipo) {
  switch (tipo) {
    case vuota: return "empty";
    case segnale: return "signal";
    case fine_rallentamento: return "slowdown end";
    case inizio_rallentamento: return "slowdown start";
    case cartello_avviso: return "slowdown warning board";
    case prima_dell_avviso: return "before warning board";
    case indicatore_velocita: return "speed board";
    case fermata: return "station stop";
    case marcatore_montagna: return "terrain marker";
    case abbattimento_con_valore: return "abbattimento (value)";
    case abbattimento: return "abbattimento";
    case cartello_testo: return "text board";
    default: return "unknown";
  }
}

}  // namespace scenari::tipo_cella
