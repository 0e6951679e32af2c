#include "tool/rapporto.h"

#include <iostream>

#include "esecuzione/incorporato.h"
#include "tool/colore.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

const char* nome_esito(int stato) {
  switch (stato) {
    case uscita_ok: return "clean";
    case uscita_dati: return "data problem";
    case uscita_errore_fatale: return "fatal";
    case uscita_senza_percorso: return "no route";
    case uscita_uso: return "usage error";
    default: return "file error";
  }
}

std::string conteggio(std::size_t n, const char* cosa) {
  return std::to_string(n) + " " + cosa + (n == 1 ? "" : "s");
}

}  // namespace

std::string testo_json(const nlohmann::json& j) {
  return j.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void scrivi_rapporto_testo(std::ostream& out, std::ostream& err, const EsitoCompilazione& e,
                           StileDiagnostica stile) {
  const Sorgenti sorgenti(e.sorgenti);
  for (const auto& p : e.problemi) scrivi_diagnostica(err, p, sorgenti, stile);
  if (!e.messaggio.empty()) err << "scenari-tool: " << e.messaggio << '\n';
  const std::size_t errori = e.numero(Gravita::errore);
  const std::size_t avvisi = e.numero(Gravita::avviso);
  if (errori + avvisi > 0) {
    err << conteggio(errori, "error") << ", " << conteggio(avvisi, "warning") << '\n';
  }
  for (const auto& f : e.scritti) out << "wrote " << f.percorso << " (" << f.byte << " bytes)\n";
}

nlohmann::json rapporto_json(const OpzioniCompilazione& o, const EsitoCompilazione& e) {
  nlohmann::json problemi = nlohmann::json::array();
  for (const auto& p : e.problemi) problemi.push_back(problema_json(p));
  nlohmann::json j = {{"route", o.nome_linea},
                      {"train", o.numero_treno},
                      {"directory", o.cartella},
                      {"status", e.stato},
                      {"result", nome_esito(e.stato)},
                      {"problems", problemi}};
  if (o.scrivi) {
    nlohmann::json scritti = nlohmann::json::array();
    for (const auto& f : e.scritti) scritti.push_back({{"file", f.percorso}, {"size", f.byte}});
    j["output_directory"] = o.cartella_uscita;
    j["plan"] = o.planimetria;
    j["outputs"] = scritti;
  }
  if (!e.messaggio.empty()) j["message"] = e.messaggio;
  return j;
}

void stampa_rapporto(const OpzioniCompilazione& o, const EsitoCompilazione& e, bool json) {
  if (json) {
    std::cout << testo_json(rapporto_json(o, e)) << '\n';
  } else {
    scrivi_rapporto_testo(std::cout, std::cerr, e,
                          {colore_su(platform::Stream::error)});
  }
}

}  // namespace scenari::tool
