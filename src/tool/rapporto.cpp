#include "tool/rapporto.h"

#include "core/esecuzione/avvio.h"

namespace scenari::tool {

namespace {

const char* nome_esito(int stato) {
  switch (stato) {
    case uscita_ok: return "clean";
    case uscita_dati: return "data problem";
    case uscita_errore_fatale: return "fatal";
    case uscita_senza_percorso: return "no route";
    default: return "file error";
  }
}

}  // namespace

void scrivi_rapporto_testo(std::ostream& out, std::ostream& err, const EsitoCompilazione& e) {
  for (const auto& p : e.problemi) err << descrivi_problema(p) << '\n';
  if (!e.messaggio.empty()) err << "scenari-tool: " << e.messaggio << '\n';
  for (const auto& f : e.scritti) out << "wrote " << f.percorso << " (" << f.byte << " bytes)\n";
}

nlohmann::json rapporto_json(const OpzioniCompilazione& o, const EsitoCompilazione& e) {
  nlohmann::json problemi = nlohmann::json::array();
  for (const auto& p : e.problemi) {
    problemi.push_back({{"code", p.codice},
                        {"meaning", p.significato},
                        {"file", p.file},
                        {"line", p.riga},
                        {"position", p.posizione},
                        {"fatal", p.fatale}});
  }
  nlohmann::json scritti = nlohmann::json::array();
  for (const auto& f : e.scritti) scritti.push_back({{"file", f.percorso}, {"size", f.byte}});
  nlohmann::json j = {{"route", o.nome_linea},
                      {"train", o.numero_treno},
                      {"directory", o.cartella},
                      {"output_directory", o.cartella_uscita},
                      {"plan", o.planimetria},
                      {"status", e.stato},
                      {"result", nome_esito(e.stato)},
                      {"problems", problemi},
                      {"outputs", scritti}};
  if (!e.messaggio.empty()) j["message"] = e.messaggio;
  return j;
}

}  // namespace scenari::tool
