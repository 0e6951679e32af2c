#include "tool/rapporto.h"

#include <iostream>

#include "esecuzione/incorporato.h"
#include "tool/colore.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

// The verdict on the texts; a command that read no text has none, and says
// why it could not.
const char* nome_esito(const EsitoCompilazione& e) {
  if (e.stato == uscita_uso) return "usage error";
  if (e.stato == uscita_errore_file) return "file error";
  if (e.numero(Gravita::errore) > 0) return "errors";
  return e.numero(Gravita::avviso) > 0 ? "warnings" : "clean";
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
  // The verdict on the texts, also when they are clean; a text that could
  // not be read has none.
  if (e.stato != uscita_errore_file) {
    err << conteggio(e.numero(Gravita::errore), "error") << ", "
        << conteggio(e.numero(Gravita::avviso), "warning") << '\n';
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
                      {"result", nome_esito(e)},
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
