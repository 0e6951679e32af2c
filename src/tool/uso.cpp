#include "tool/uso.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "tool/stato.h"

namespace scenari::tool {

namespace {

// Edits to turn one word into the other, a swap of two neighbours counting
// as one edit.
std::size_t distanza(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t diversi = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + diversi});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

std::vector<const CLI::App*> comandi(const CLI::App& app) {
  std::vector<const CLI::App*> elenco;
  for (const CLI::App* c : app.get_subcommands({})) {
    if (!c->get_group().empty()) elenco.push_back(c);
  }
  return elenco;
}

bool e_comando(const CLI::App& app, std::string_view parola) {
  for (const CLI::App* c : comandi(app)) {
    if (c->get_name() == parola) return true;
  }
  return false;
}

}  // namespace

std::string testo_uso(const CLI::App& app) {
  std::ostringstream out;
  out << "usage: scenari-tool COMMAND [ARGUMENTS] [OPTIONS]\n"
         "       scenari-tool COMMAND --help    the arguments and options of one command\n"
         "       scenari-tool --version\n\ncommands:\n";
  std::size_t larghezza = 0;
  for (const CLI::App* c : comandi(app)) larghezza = std::max(larghezza, c->get_name().size());
  for (const CLI::App* c : comandi(app)) {
    out << "  " << c->get_name() << std::string(larghezza - c->get_name().size() + 2, ' ')
        << c->get_description() << '\n';
  }
  return out.str();
}

std::optional<std::string> comando_vicino(const CLI::App& app, std::string_view scritto) {
  std::optional<std::string> migliore;
  std::size_t minima = 0;
  for (const CLI::App* c : comandi(app)) {
    const std::string& nome = c->get_name();
    // A slip costs at most one edit in three letters of the name.
    const std::size_t ammessa = std::max<std::size_t>(1, nome.size() / 3);
    std::size_t d = distanza(scritto, nome);
    if (scritto.size() >= 2 && nome.starts_with(scritto)) d = std::min<std::size_t>(d, 1);
    if (d <= ammessa && (!migliore || d < minima)) {
      migliore = nome;
      minima = d;
    }
  }
  return migliore;
}

std::optional<int> uso_senza_comando(const CLI::App& app, int argc, const char* const* argv,
                                     std::ostream& err) {
  if (argc >= 2) {
    const std::string_view primo = argv[1];
    if (primo.starts_with("-") || e_comando(app, primo)) return std::nullopt;
    err << "scenari-tool: error: unknown command '" << primo << "'\n";
    if (const auto vicino = comando_vicino(app, primo)) {
      err << "  help: did you mean '" << *vicino << "'?\n";
    }
  } else {
    err << "scenari-tool: error: no command given\n";
  }
  err << '\n' << testo_uso(app);
  return uscita_uso;
}

}  // namespace scenari::tool
