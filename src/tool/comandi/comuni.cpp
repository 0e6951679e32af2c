#include "esecuzione/incorporato.h"
#include "tool/comandi/comando.h"

namespace scenari::tool {

void opzioni_nomi(CLI::App& c, Nomi& n) {
  n.linea = nome_linea_incorporato;
  n.treno = numero_treno_incorporato;
  c.add_option("--line", n.linea,
               "route name the file names are formed from (default: from the files in DIR)")
      ->each([&n](const std::string&) { n.linea_data = true; });
  c.add_option("--train", n.treno,
               "train number the file names are formed from (default: from the files in DIR)")
      ->each([&n](const std::string&) { n.treno_data = true; });
}

namespace {

std::string valore(const CLI::App& c, const std::string& nome) {
  const CLI::Option* o = c.get_option_no_throw(nome);
  return o != nullptr && o->count() > 0 ? o->as<std::string>() : "";
}

}  // namespace

nlohmann::json json_del_rifiuto(const CLI::App& app, int stato, const std::string& messaggio) {
  for (const CLI::App* c : app.get_subcommands()) {
    if (c->get_name() != "check" && c->get_name() != "compile") continue;
    OpzioniCompilazione o;
    o.cartella = valore(*c, "DIR");
    o.cartella_uscita = valore(*c, "--out").empty() ? o.cartella : valore(*c, "--out");
    o.nome_linea = valore(*c, "--line");
    o.numero_treno = valore(*c, "--train");
    const CLI::Option* senza_piano = c->get_option_no_throw("--no-plan");
    o.planimetria = senza_piano == nullptr || senza_piano->count() == 0;
    o.scrivi = c->get_name() == "compile";
    EsitoCompilazione e;
    e.stato = stato;
    e.messaggio = messaggio;
    return rapporto_json(o, e);
  }
  return {{"status", stato}, {"message", messaggio}};
}

}  // namespace scenari::tool
