#include "tool/uso.h"

#include <algorithm>
#include <regex>
#include <sstream>

#include "tool/colore.h"
#include "tool/distanza.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

std::vector<const CLI::App*> comandi(const CLI::App& app) {
  std::vector<const CLI::App*> elenco;
  for (const CLI::App* c : app.get_subcommands({})) {
    if (!c->get_group().empty()) elenco.push_back(c);
  }
  return elenco;
}

const CLI::App* comando(const CLI::App& app, std::string_view nome) {
  for (const CLI::App* c : comandi(app)) {
    if (c->get_name() == nome) return c;
  }
  return nullptr;
}

std::vector<std::string> nomi_opzioni(const CLI::App& c) {
  std::vector<std::string> nomi;
  for (const CLI::Option* o : c.get_options()) {
    for (const std::string& n : o->get_lnames()) nomi.push_back("--" + n);
  }
  return nomi;
}

std::string errore(const CLI::App& app, const std::string& messaggio) {
  return app.get_name() + ": error: " + messaggio + '\n';
}

std::string sconosciuto(const char* cosa, std::string_view scritto,
                        const std::optional<std::string>& vicino) {
  std::string m = std::string("unknown ") + cosa + " '" + std::string(scritto) + "'";
  if (vicino) m += "; did you mean '" + *vicino + "'?";
  return m;
}

// The error and the usage of a command line that names no command it knows.
int senza_comando(const CLI::App& app, const std::string& messaggio, std::ostream& err) {
  err << errore(app, messaggio) << '\n' << testo_uso(app);
  return uscita_uso;
}

// The error of a command line that names a command, and where its options
// are described: a refusal, so that under --json it gives the command's
// object as any other failure does.
[[noreturn]] void errore_del_comando(const CLI::App& app, const CLI::App& c,
                                     const std::string& messaggio) {
  throw Rifiuto{uscita_uso, "error: " + messaggio + "\n  help: '" + app.get_name() + " help " +
                                c.get_name() + "' lists its arguments and options"};
}

std::string descrizione(const CLI::App& c, const std::string& nome) {
  const CLI::Option* o = c.get_option_no_throw(nome);
  return o == nullptr || o->get_description().empty() ? "" : ": " + o->get_description();
}

// CLI11's wording of a parse error, rewritten in the tool's manner.
std::string messaggio_di(const CLI::App& c, const CLI::ParseError& e) {
  std::smatch m;
  const std::string testo = e.what();
  if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
    for (const CLI::Option* o : c.get_options()) {
      if (o->get_required() && o->count() == 0) {
        return "missing " + o->get_name() + descrizione(c, o->get_name());
      }
    }
  }
  if (std::regex_match(testo, m, std::regex(R"(Could not convert: (\S+) = (.*))")) ||
      std::regex_match(testo, m, std::regex(R"((\S+): Failed parsing (.*) as a .*)"))) {
    return "invalid value '" + m[2].str() + "' for " + m[1].str() + ": a number is expected";
  }
  if (std::regex_match(testo, m, std::regex(R"((-\S+?):? \d+ required \S+ missing)"))) {
    return m[1].str() + " needs a value" + descrizione(c, m[1].str());
  }
  if (std::regex_match(testo, m, std::regex(R"((\S+) excludes (\S+))"))) {
    return m[1].str() + " cannot be given with " + m[2].str();
  }
  std::string minuscolo = testo;
  if (!minuscolo.empty()) minuscolo[0] = static_cast<char>(std::tolower(minuscolo[0]));
  return minuscolo;
}

// What the command received beyond its arguments and options: an unknown
// option, with the nearest of its own, or an argument too many.
std::optional<std::string> in_eccesso(const CLI::App& c) {
  const std::vector<std::string> resto = c.remaining();
  if (resto.empty()) return std::nullopt;
  const std::string& primo = resto.front();
  if (primo.starts_with("-") && primo.size() > 1) {
    const std::string nome = primo.substr(0, primo.find('='));
    return sconosciuto("option", nome, nome_vicino(nomi_opzioni(c), nome));
  }
  return "unexpected argument '" + primo + "'";
}

std::string valore_colore;

std::optional<int> aiuto(const CLI::App& app, int argc, const char* const* argv,
                         std::ostream& out, std::ostream& err) {
  if (argc == 2) {
    out << testo_uso(app);
    return uscita_ok;
  }
  const std::string_view scritto = argv[2];
  const CLI::App* c = comando(app, scritto == "-h" || scritto == "--help" ? "help" : scritto);
  if (c == nullptr) {
    return senza_comando(app, sconosciuto("command", argv[2], comando_vicino(app, argv[2])), err);
  }
  if (argc > 3) errore_del_comando(app, *c, std::string("unexpected argument '") + argv[3] + "'");
  out << c->help(app.get_name());
  return uscita_ok;
}

}  // namespace

std::string testo_uso(const CLI::App& app) {
  const std::string& p = app.get_name();
  std::ostringstream out;
  out << "usage: " << p << " COMMAND [ARGUMENTS] [OPTIONS]\n"
      << "       " << p << " help [COMMAND]    the arguments and options of one command\n"
      << "       " << p << " -V, --version\n\ncommands:\n";
  std::size_t larghezza = 0;
  for (const CLI::App* c : comandi(app)) larghezza = std::max(larghezza, c->get_name().size());
  for (const CLI::App* c : comandi(app)) {
    out << "  " << c->get_name() << std::string(larghezza - c->get_name().size() + 2, ' ')
        << c->get_description() << '\n';
  }
  out << "\nEvery command takes --color=auto|always|never (colour on a terminal only, by "
         "default;\nnever with NO_COLOR set) and --help.\n";
  return out.str();
}

std::optional<std::string> nome_vicino(const std::vector<std::string>& nomi,
                                       std::string_view scritto) {
  std::optional<std::string> migliore;
  std::size_t minima = 0;
  for (const std::string& nome : nomi) {
    // A slip costs at most one edit in three letters of the name.
    const std::size_t ammessa = std::max<std::size_t>(1, nome.size() / 3);
    std::size_t d = distanza_modifica(scritto, nome);
    if (scritto.size() >= 2 && nome.starts_with(scritto)) d = std::min<std::size_t>(d, 1);
    if (d <= ammessa && (!migliore || d < minima)) {
      migliore = nome;
      minima = d;
    }
  }
  return migliore;
}

std::optional<std::string> comando_vicino(const CLI::App& app, std::string_view scritto) {
  std::vector<std::string> nomi;
  for (const CLI::App* c : comandi(app)) nomi.push_back(c->get_name());
  return nome_vicino(nomi, scritto);
}

void aggiungi_opzioni_comuni(CLI::App& app) {
  app.get_formatter()->label("Usage", "usage");
  app.set_help_flag("-h,--help", "print the commands");
  const std::string colore = "when to colour the messages: auto (on a terminal), always or never";
  app.add_option("--color", valore_colore, colore);
  for (CLI::App* c : app.get_subcommands({})) {
    c->set_help_flag("-h,--help", "print the arguments and options of " + c->get_name());
    c->allow_extras();
    c->add_option("--color", valore_colore, colore);
  }
  app.add_subcommand("help", "list the commands, or the arguments and options of COMMAND")
      ->add_option("COMMAND", "the command to describe");
}

std::optional<int> leggi_linea_comando(CLI::App& app, int argc, const char* const* argv,
                                       std::ostream& out, std::ostream& err) {
  if (argc < 2) return senza_comando(app, "no command given", err);
  const std::string_view primo = argv[1];
  if (primo == "help") return aiuto(app, argc, argv, out, err);
  if (!primo.starts_with("-") && comando(app, primo) == nullptr) {
    return senza_comando(app, sconosciuto("command", primo, comando_vicino(app, primo)), err);
  }
  const CLI::App* scelto = nullptr;
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help and --version
    app.exit(e, out, err);
    return uscita_ok;
  } catch (const CLI::ParseError& e) {
    for (const CLI::App* c : app.get_subcommands()) scelto = c;
    if (scelto == nullptr) {
      const bool manca = dynamic_cast<const CLI::RequiredError*>(&e) != nullptr;
      return senza_comando(app, manca ? "no command given" : messaggio_di(app, e), err);
    }
    errore_del_comando(app, *scelto, messaggio_di(*scelto, e));
  }
  scelto = app.get_subcommands().front();
  if (const auto eccesso = in_eccesso(*scelto)) errore_del_comando(app, *scelto, *eccesso);
  const std::optional<Colore> c = colore_da_nome(valore_colore.empty() ? "auto" : valore_colore);
  if (!c) {
    errore_del_comando(app, *scelto,
                       "invalid value '" + valore_colore + "' for --color: auto, always or never "
                                                           "is expected");
  }
  scegli_colore(*c);
  return std::nullopt;
}

}  // namespace scenari::tool
