// scenari-tool's command line as an author meets it: the usage and the
// nearest command, names taken from DIR, texts into a new directory, dump's
// positions and decoded values, and the documents generated or written for
// the commands (reference, man page, completion).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

#include "esecuzione/nomi_file.h"
#include "core/modello/codici.h"
#include "support/ausili.h"
#include "tool/compila.h"
#include "tool/dump.h"
#include "tool/esempio.h"
#include "tool/nomi_cartella.h"
#include "tool/riferimento/grammatica.h"
#include "tool/riferimento/markdown.h"
#include "core/lettura/tabella_voci.h"
#include "tool/stato.h"
#include "tool/uso.h"
#include "support/codice.h"

namespace scenari::tool {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::write_file;

const fs::path docs = SCENARI_DOCS;

class Cartella : public test::TestDirectory {
 public:
  Cartella() : TestDirectory("test_comandi") {}
};

struct Uscita {
  int stato;
  std::string testo;  // standard output and standard error together
};

Uscita esegui(const std::string& argomenti) {
  const test::Run r = test::run_program(SCENARI_TOOL, argomenti);
  return {r.status, r.output};
}

const char* const comandi[] = {"texts", "check", "compile", "dump", "plot"};

// ---- usage ----

TEST(Uso, BareCallAndUnknownCommandPrintTheUsageWithStatus64) {
  for (const std::string argomenti : {"", "bogus", "dupm /tmp/x.dat", "help bogus", "--color=never"}) {
    SCOPED_TRACE(argomenti);
    const Uscita u = esegui(argomenti);
    EXPECT_EQ(u.stato, uscita_uso);
    EXPECT_NE(u.testo.find("usage: scenari-tool COMMAND"), std::string::npos) << u.testo;
    for (const char* c : comandi) {
      EXPECT_NE(u.testo.find("\n  " + std::string(c) + " "), std::string::npos) << c;
    }
  }
  EXPECT_NE(esegui("dupm").testo.find("unknown command 'dupm'; did you mean 'dump'?"),
            std::string::npos);
  EXPECT_EQ(esegui("bogus").testo.find("did you mean"), std::string::npos);
  EXPECT_EQ(esegui("compile").stato, uscita_uso) << "a known command keeps its own checks";
}

// Every problem of a command line in the tool's words, with the nearest
// option and where the options are listed; none of the parser's own.
TEST(Uso, CommandLineProblemsInTheToolsWords) {
  Cartella dir;
  const std::string d = "'" + dir.str() + "'";
  const std::map<std::string, std::string> casi = {
      {"check " + d + " --jsn", "error: unknown option '--jsn'; did you mean '--json'?"},
      {"compile " + d + " --no-wiat=1", "unknown option '--no-wiat'; did you mean '--no-wait'?"},
      {"dump " + d + "/a.dat --bogus", "unknown option '--bogus'\n"},
      {"check", "error: missing DIR: directory holding the two description texts"},
      {"check " + d + " other", "error: unexpected argument 'other'"},
      {"dump " + d + "/a.dat --from abc", "invalid value 'abc' for --from: a number is expected"},
      {"plot " + d + " --to x", "invalid value 'x' for --to: a number is expected"},
      {"compile " + d + " --out", "error: --out needs a value: directory for the binary files"},
      {"plot " + d + " --html --from 1", "cannot be given with"},
      {"check " + d + " --color=sometimes", "invalid value 'sometimes' for --color"},
      {"help check extra", "unexpected argument 'extra'"},
  };
  for (const auto& [argomenti, atteso] : casi) {
    SCOPED_TRACE(argomenti);
    const Uscita u = esegui(argomenti);
    EXPECT_EQ(u.stato, uscita_uso);
    EXPECT_NE(u.testo.find("scenari-tool: " + std::string(atteso.starts_with("error") ? "" : "error: ")),
              std::string::npos) << u.testo;
    EXPECT_NE(u.testo.find(atteso), std::string::npos) << u.testo;
    for (const char* grezzo : {"was not expected", "is required", "Could not convert", "excludes",
                               "required TEXT missing", "Run with --help"}) {
      EXPECT_EQ(u.testo.find(grezzo), std::string::npos) << grezzo;
    }
  }
}

// help [COMMAND], -h, -V: status 0, the program named as such rather than
// by the path it was run from.
TEST(Uso, HelpAndVersion) {
  const Uscita elenco = esegui("help");
  EXPECT_EQ(elenco.stato, uscita_ok);
  EXPECT_TRUE(elenco.testo.starts_with("usage: scenari-tool COMMAND")) << elenco.testo;
  EXPECT_EQ(esegui("--help").testo, esegui("-h").testo);
  for (const char* c : comandi) {
    SCOPED_TRACE(c);
    const Uscita aiuto = esegui(std::string("help ") + c);
    EXPECT_EQ(aiuto.stato, uscita_ok);
    EXPECT_EQ(aiuto.testo, esegui(std::string(c) + " --help").testo);
    EXPECT_NE(aiuto.testo.find("usage: scenari-tool " + std::string(c) + " "), std::string::npos)
        << aiuto.testo;
    EXPECT_NE(aiuto.testo.find("--color"), std::string::npos);
    EXPECT_EQ(aiuto.testo.find(SCENARI_TOOL), std::string::npos) << "the whole path shown";
  }
  const Uscita v = esegui("-V");
  EXPECT_EQ(v.stato, uscita_ok);
  EXPECT_TRUE(v.testo.starts_with("scenari-tool ")) << v.testo;
  EXPECT_EQ(v.testo, esegui("--version").testo);
}

// Colour: on a terminal by default, never with a non-empty NO_COLOR or on a
// dumb terminal, and as --color says whatever the terminal.
TEST(Uso, ColourOnATerminalAsAskedAndAsTheEnvironmentSays) {
  Cartella dir;
  platform::Files files;
  scrivi_esempio(files, dir.str(), false);
  const NomiFile nomi = nomi_file(dir.str(), nome_linea_incorporato, numero_treno_incorporato);
  write_file(nomi.treno_txt, read_file(nomi.treno_txt) + "segnal, 1000\r\n");
  const std::string d = " check '" + dir.str() + "'";
  const auto colorato = [](const std::string& testo) { return testo.find("\x1b[") != std::string::npos; };
  EXPECT_TRUE(colorato(esegui(d + " --color=always").testo));
  EXPECT_FALSE(colorato(esegui(d).testo)) << "not a terminal";
  if (std::system("script --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "script is missing";
  const auto su_terminale = [&](const std::string& ambiente, const std::string& opzioni) {
    const fs::path copione = dir / "terminale.sh";
    write_file(copione, "script -qec \"env " + ambiente + " '" SCENARI_TOOL "'" + d + opzioni +
                            "\" /dev/null\n");
    return colorato(test::run_program("sh", "'" + copione.string() + "'").output);
  };
  EXPECT_TRUE(su_terminale("TERM=xterm NO_COLOR=", ""));
  EXPECT_FALSE(su_terminale("TERM=xterm NO_COLOR=1", ""));
  EXPECT_FALSE(su_terminale("TERM=dumb", ""));
  EXPECT_FALSE(su_terminale("TERM=xterm", " --color=never"));
  EXPECT_TRUE(su_terminale("TERM=dumb NO_COLOR=1", " --color=always"));
}

TEST(Uso, NearestCommandForSlipsOnly) {
  CLI::App app;
  for (const char* c : {"texts", "check", "compile", "dump", "plot"}) app.add_subcommand(c, "");
  const std::map<std::string, std::string> attesi = {
      {"dupm", "dump"},     {"compiel", "compile"}, {"comp", "compile"}, {"plto", "plot"},
      {"text", "texts"},    {"chek", "check"},      {"Dump", "dump"},
  };
  for (const auto& [scritto, atteso] : attesi) {
    EXPECT_EQ(comando_vicino(app, scritto).value_or("(none)"), atteso) << scritto;
  }
  for (const char* lontano : {"bogus", "x", "", "compilation-database"}) {
    EXPECT_FALSE(comando_vicino(app, lontano).has_value()) << lontano;
  }
}

// ---- names from DIR ----

Nomi dati(std::string linea = "", std::string treno = "") {
  Nomi n{nome_linea_incorporato, numero_treno_incorporato, false, false};
  if (!linea.empty()) n = {linea, n.treno, true, false};
  if (!treno.empty()) {
    n.treno = treno;
    n.treno_data = true;
  }
  return n;
}

TEST(NomiCartella, TheOnePairOfTextsNamesTheScenario) {
  platform::Files files;
  Cartella dir;
  scrivi_esempio(files, dir.str(), false, "Monte Alto_Valle Bassa", "123");
  const Nomi n = nomi_testi(dir.str(), dati());
  EXPECT_EQ(n.linea, "Monte Alto_Valle Bassa");
  EXPECT_EQ(n.treno, "123");

  // A second scenario makes the choice the author's; one flag settles it.
  scrivi_esempio(files, dir.str(), false, "Monte Alto", "7");
  try {
    nomi_testi(dir.str(), dati());
    ADD_FAILURE() << "two scenarios were not refused";
  } catch (const Rifiuto& r) {
    EXPECT_EQ(r.stato, uscita_uso);
    EXPECT_NE(r.messaggio.find("--line"), std::string::npos);
  }
  EXPECT_EQ(nomi_testi(dir.str(), dati("", "7")).linea, "Monte Alto");
  EXPECT_EQ(nomi_testi(dir.str(), dati("Monte Alto_Valle Bassa")).treno, "123");

  // Both names given: they stand, so the missing text is what gets reported.
  Cartella vuota;
  EXPECT_EQ(nomi_testi(vuota.str(), dati("Monte", "5")).linea, "Monte");
  // Otherwise the directory is named as written, with what it lacks.
  const auto rifiuto = [](const std::string& cartella, const Nomi& n) -> std::string {
    try {
      nomi_testi(cartella, n);
    } catch (const Rifiuto& r) {
      EXPECT_EQ(r.stato, uscita_errore_file);
      return r.messaggio;
    } catch (const platform::FileError& e) {
      return e.what();
    }
    return "(accepted)";
  };
  const std::string v = vuota.str();
  EXPECT_EQ(rifiuto(v, dati()), v + " holds no scenario: no *_linea.txt in it");
  EXPECT_EQ(rifiuto(v + "/missing", dati()), v + "/missing: no such directory");
  EXPECT_EQ(rifiuto(dir.str(), dati("Piano")),
            dir.str() + " holds no scenario of route 'Piano': no Piano_linea.txt in it");
  EXPECT_EQ(rifiuto(dir.str(), dati("", "9")),
            dir.str() + " holds no scenario of train '9': no *_9-.txt in it");
  fs::remove(dir / "Monte Alto_7-.txt");
  fs::remove(dir / "Monte Alto_Valle Bassa_123-.txt");
  EXPECT_NE(rifiuto(dir.str(), dati()).find(" holds no scenario: no train text beside "),
            std::string::npos);
}

TEST(NomiCartella, BinariesOrCompileItFirst) {
  Cartella dir;
  write_file(dir / "Lago_x.txt", "not a scenario");
  try {
    nomi_binari(dir.str(), dati());
    ADD_FAILURE() << "an uncompiled directory was not refused";
  } catch (const Rifiuto& r) {
    EXPECT_EQ(r.stato, uscita_errore_file);
    EXPECT_NE(r.messaggio.find("compile it first: scenari-tool compile " + dir.str()),
              std::string::npos)
        << r.messaggio;
  }
  // A .sim without its .dat is no compiled scenario either.
  write_file(dir / "Monte Alto_Valle Bassa_123.sim", "");
  EXPECT_THROW(nomi_binari(dir.str(), dati()), Rifiuto);
  write_file(dir / "Monte Alto_Valle Bassa_123.dat", "");
  const Nomi n = nomi_binari(dir.str(), dati());
  EXPECT_EQ(n.linea, "Monte Alto_Valle Bassa");
  EXPECT_EQ(n.treno, "123");
  // A train number holds no "_": a stem splits at its last one, whatever
  // plan file lies beside it.
  write_file(dir / "A_linea.dat", "");
  write_file(dir / "A_9_z.sim", "");
  write_file(dir / "A_9_z.dat", "");
  EXPECT_EQ(nomi_binari(dir.str(), dati("", "z")).linea, "A_9");
  EXPECT_THROW(nomi_binari(dir.str(), dati()), Rifiuto) << "two scenarios must be named";
}

TEST(Programma, TextsIntoANewNestedDirectoryThenCompileByItsNames) {
  Cartella radice;
  const fs::path dir = radice / "a" / "b c";
  const std::string d = "'" + dir.string() + "'";
  EXPECT_EQ(esegui("texts " + d + " --line 'Monte Alto_Valle Bassa' --train 123").stato, uscita_ok);
  EXPECT_TRUE(fs::exists(dir / "Monte Alto_Valle Bassa_123-.txt"));
  const Uscita c = esegui("compile " + d);
  EXPECT_EQ(c.stato, uscita_ok) << c.testo;
  EXPECT_TRUE(fs::exists(dir / "Monte Alto_Valle Bassa_123.sim"));
  EXPECT_EQ(esegui("texts " + d + " --line 'x/y'").stato, uscita_uso);
  EXPECT_FALSE(fs::exists(radice / "a" / "x")) << "a separator in a name wrote elsewhere";
}

// `serve` runs in a program of its own: the tool hands it the command line
// as typed (a directory with a blank, a name outside ASCII), and says so
// plainly, naming where it looked, when that program is missing.
TEST(Programma, ServeIsHandedToItsProgramOrSaysItIsMissing) {
  Cartella radice;
  const std::string d = "'" + (radice / "senza testi").string() + "'";
  const Uscita u = esegui("serve " + d + " --line 'Città alta' --train 7");
  EXPECT_EQ(u.stato, uscita_errore_file) << u.testo;
#ifdef _WIN32
  EXPECT_NE(u.testo.find("'serve' is not part of this build"), std::string::npos) << u.testo;
#else
  EXPECT_NE(u.testo.find("senza testi: no such directory"), std::string::npos) << u.testo;
#endif
  const fs::path strumento = radice / fs::path(SCENARI_TOOL).filename();
  fs::copy_file(SCENARI_TOOL, strumento);
  const test::Run solo = test::run_program(strumento.string(), "serve " + d);
  EXPECT_EQ(solo.status, uscita_errore_file);
  const std::regex mancante("error: the server of 'serve' is missing: neither \\S.*scenari-serve"
                            "(\\.exe)? nor \\S.*scenari-serve(\\.exe)? exists");
  EXPECT_TRUE(std::regex_search(solo.output, mancante)) << solo.output;
}

// ---- dump ----

// The embedded scenario with one object of every kind the author places.
std::string celle_compilate(const Cartella& dir) {
  platform::Files files;
  scrivi_esempio(files, dir.str(), false);
  const NomiFile nomi = nomi_file(dir.str(), nome_linea_incorporato, numero_treno_incorporato);
  auto aggiungi = [](const std::string& file, const std::string& sezione, const std::string& riga) {
    std::string testo = read_file(file);
    testo.insert(testo.find(sezione + "\r\n") + sezione.size() + 2, riga + "\r\n");
    write_file(file, testo);
  };
  aggiungi(nomi.linea_txt, "[indicazioni]", "cartello indicatore,  2500, BIVIO");
  aggiungi(nomi.treno_txt, "[rallentamenti]", "rallentamento,  5500,  30,  500,  1,  0,  0");
  aggiungi(nomi.treno_txt, "[codici]", "abbattimento,  2600,  150");
  const EsitoCompilazione e =
      compila({dir.str(), dir.str(), nome_linea_incorporato, numero_treno_incorporato, false}, files);
  EXPECT_EQ(e.stato, uscita_ok);
  return read_file(nomi.dat);
}

struct Riga {
  int cella;
  long metro;
  std::string tipo;
  std::string resto;
};

Selezione selezione(std::optional<std::int64_t> da, std::optional<std::int64_t> a, bool piene) {
  Selezione s;
  s.da = da;
  s.a = a;
  s.solo_piene = piene;
  return s;
}

std::vector<Riga> righe_celle(const std::string& byte, const Selezione& s) {
  std::ostringstream out;
  scrivi_dump_testo(out, TipoFile::celle, byte, s);
  std::vector<Riga> righe;
  std::istringstream in(out.str());
  std::string riga;
  std::getline(in, riga);  // header
  const std::regex forma(R"(\s*(\d+)\s+(-?\d+)  \d+ (\S+(?: \S+)*?)\s{2,}(.*))");
  while (std::getline(in, riga)) {
    std::smatch m;
    if (!std::regex_match(riga, m, forma)) {
      ADD_FAILURE() << "unexpected row: " << riga;
      continue;
    }
    righe.push_back({std::stoi(m[1]), std::stol(m[2]), m[3], m[4]});
  }
  return righe;
}

TEST(Dump, EachObjectShowsAtThePositionTheAuthorWrote) {
  Cartella dir;
  const std::string byte = celle_compilate(dir);
  std::multimap<std::string, long> trovati;
  for (const Riga& r : righe_celle(byte, selezione({}, {}, true))) {
    trovati.insert({r.tipo, r.metro});
    if (r.tipo == "empty") {
      std::istringstream valori(r.resto);
      std::vector<std::string> v{std::istream_iterator<std::string>(valori), {}};
      ASSERT_GE(v.size(), 6u);
      EXPECT_NE(v[5], "0") << "--nonempty showed cell " << r.cella << ", which holds nothing";
    }
  }
  const std::multimap<std::string, long> attesi = {
      {"signal", 1000},          {"signal", 2300},        {"signal", 3450},
      {"speed board", 1050},     {"speed board", 3500},   {"text board", 2500},
      {"slowdown start", 5500},  {"slowdown end", 6000},  {"slowdown warning board", 4300},
      {"station stop", 500},     {"station stop", 4850},  {"abbattimento (value)", 2600},
  };
  for (const auto& [tipo, metro] : attesi) {
    const auto [da, a] = trovati.equal_range(tipo);
    bool visto = false;
    for (auto it = da; it != a; ++it) visto = visto || it->second == metro;
    EXPECT_TRUE(visto) << tipo << " at " << metro;
  }
}

TEST(Dump, RangeNonemptyAndDecodedValues) {
  Cartella dir;
  const std::string byte = celle_compilate(dir);
  std::vector<int> celle;
  for (const Riga& r : righe_celle(byte, selezione(1000, 1050, false))) celle.push_back(r.cella);
  EXPECT_EQ(celle, (std::vector<int>{20, 21, 22})) << "cell 20 starts at 1000, the signal of cell "
                                                      "21 was typed at 1000, the board at 1050";
  const auto prime = righe_celle(byte, selezione({}, 60, true));
  ASSERT_EQ(prime.size(), 1u);
  EXPECT_EQ(prime[0].tipo, "start record");
  EXPECT_NE(prime[0].resto.find("start stamp 5121, check code 2204"), std::string::npos);

  const auto tavola = righe_celle(byte, selezione(1050, 1050, true));
  ASSERT_EQ(tavola.size(), 1u);
  EXPECT_NE(tavola[0].resto.find("1717   1818   1919"), std::string::npos) << "raw members kept";
  EXPECT_NE(tavola[0].resto.find("85/85 90/90 95/95"), std::string::npos);

  std::ostringstream out;
  scrivi_dump_json(out, TipoFile::celle, byte, selezione(1000, 1000, false));
  const nlohmann::json j = nlohmann::json::parse(out.str());
  ASSERT_EQ(j["cells"].size(), 2u);
  EXPECT_EQ(j["cells"][1]["index"], 21);
  EXPECT_EQ(j["cells"][1]["position"], 1050) << "existing member unchanged";
  EXPECT_EQ(j["cells"][1]["at"], 1000);
}

TEST(Dump, GeneralTableDecodesClockAndStationTimes) {
  Cartella dir;
  celle_compilate(dir);
  const NomiFile nomi = nomi_file(dir.str(), nome_linea_incorporato, numero_treno_incorporato);
  std::ostringstream out;
  scrivi_dump_testo(out, TipoFile::tabella, read_file(nomi.sim));
  for (const char* atteso : {"valore4       29340", "time 08:09:00", "clock 07:59:47",
                             "start stamp 610, check code 30703", "text board \"BIVIO\""}) {
    EXPECT_NE(out.str().find(atteso), std::string::npos) << atteso;
  }
  EXPECT_THROW(scrivi_dump_testo(out, TipoFile::tabella, read_file(nomi.sim), selezione(0, {}, false)), Rifiuto);
}

// ---- documents ----

TEST(Guida, TestiMdIsTheGeneratedReference) {
  EXPECT_TRUE(read_file(docs / "testi.md") == riferimento::markdown())
      << "docs/testi.md differs from the reference table: regenerate it with "
         "build/release/scenari-riferimento > docs/testi.md";
}

TEST(Guida, EditorGrammarsAreGenerated) {
  const fs::path sintassi = docs.parent_path() / "editors" / "vscode" / "syntaxes";
  for (std::size_t t = 0; t < 2; ++t) {
    const std::string lingua = t == 0 ? "linea" : "treno";
    EXPECT_TRUE(read_file(sintassi / (lingua + ".tmLanguage.json")) ==
                riferimento::grammatica(riferimento::testi()[t], lingua))
        << lingua << ".tmLanguage.json differs from the reference table: regenerate it with "
        << "build/release/scenari-riferimento " << lingua << " > editors/vscode/syntaxes/" << lingua
        << ".tmLanguage.json";
  }
}

// Every code an entry names is a code of the table.
TEST(Guida, ReferenceEntriesNameKnownCodes) {
  for (const auto& testo : riferimento::testi()) {
    for (const auto& sezione : testo.sezioni) {
      for (const auto& voce : sezione.voci) {
        SCOPED_TRACE(std::string(voce.parola));
        for (Codice c : voce.codici) EXPECT_EQ(codice::descrivi(c).codice, c);
      }
    }
  }
}

// The options each command's --help lists.
std::set<std::string> opzioni(const std::string& comando) {
  std::set<std::string> trovate;
  const std::string testo = esegui(comando + " --help").testo;
  const std::regex opzione(R"(--[a-z][a-z-]*)");
  for (auto it = std::sregex_iterator(testo.begin(), testo.end(), opzione);
       it != std::sregex_iterator(); ++it) {
    trovate.insert(it->str());
  }
  return trovate;
}

// The text of one command's entry in a document: from `inizio` (the
// command's name in place) to `fine`; empty when the command has none.
std::string voce(const std::string& testo, const std::string& inizio, const std::string& fine) {
  const auto da = testo.find(inizio);
  if (da == std::string::npos) return "";
  return testo.substr(da, testo.find(fine, da + inizio.size()) - da);
}

std::string in_roff(std::string opzione) {
  for (std::size_t p = 0; (p = opzione.find('-', p)) != std::string::npos; p += 2) {
    opzione.insert(p, "\\");
  }
  return opzione;
}

// The command table of the program is the reference: every command of its
// usage, and every option of each command's --help, has its place in the
// man page and in the three completions.
TEST(Guida, ManPageAndCompletionsKnowEveryCommandAndOption) {
  const std::string man = read_file(docs / "scenari-tool.1.in");
  const fs::path c = docs / "completion";
  const std::string bash = read_file(c / "scenari-tool");
  const std::string zsh = read_file(c / "_scenari-tool");
  const std::string fish = read_file(c / "scenari-tool.fish");
  const Uscita uso = esegui("");
  const std::regex comando(R"(\n  ([a-z]+)  )");
  std::size_t visti = 0;
  for (auto it = std::sregex_iterator(uso.testo.begin(), uso.testo.end(), comando);
       it != std::sregex_iterator(); ++it, ++visti) {
    const std::string c = (*it)[1];
    SCOPED_TRACE(c);
    EXPECT_NE(man.find(".BI " + c + " \""), std::string::npos) << "man page lacks " << c;
    const std::map<std::string, std::string> completamenti = {
        {"bash", voce(bash, "\n    " + c + ") options=(", "\n")},
        {"zsh", voce(zsh, "\n    " + c + ")\n", ";;")},
        {"fish", voce(fish, "'" + c + ":", "'")}};
    for (const auto& [shell, testo] : completamenti) EXPECT_FALSE(testo.empty()) << shell;
    // Once each: a second entry would shadow the first or offer the command twice.
    auto volte = [](const std::string& testo, const std::string& voce) {
      std::size_t n = 0;
      for (auto p = testo.find(voce); p != std::string::npos; p = testo.find(voce, p + 1)) ++n;
      return n;
    };
    EXPECT_EQ(volte(bash, "\n    " + c + ") options=("), 1u);
    EXPECT_EQ(volte(zsh, "\n    " + c + ")\n"), 1u);
    EXPECT_EQ(volte(fish, "'" + c + ":"), 1u);
    EXPECT_EQ(volte(fish, "-a " + c + " -d"), 1u);
    for (const std::string& o : opzioni(c)) {
      if (o == "--help" || o == "--color") continue;  // every command's, completed once
      EXPECT_NE(man.find(in_roff(o)), std::string::npos) << o;
      for (const auto& [shell, testo] : completamenti) {
        EXPECT_NE(testo.find(o), std::string::npos) << shell << " " << o;
      }
    }
  }
  EXPECT_GE(visti, std::size(comandi)) << uso.testo;
  for (const std::string* testo : {&bash, &zsh, &fish}) {
    EXPECT_NE(testo->find("--color"), std::string::npos);
  }
}

// A shell run on a script, when the shell is there.
std::optional<std::string> in_shell(const std::string& shell, const fs::path& script) {
  if (std::system(("command -v " + shell + " >/dev/null 2>&1").c_str()) != 0) return std::nullopt;
  return test::run_program(shell, "-c \"source '" + script.string() + "' 2>/dev/null\"").output;
}

// --line offers the routes of the DIR typed before it, --train the trains of
// the route chosen (or of every route); names hold blanks.
TEST(Guida, CompletionsOfferTheScenariosOfTheDirTyped) {
  platform::Files files;
  Cartella dir;
  const std::string d = (dir / "lavori").string();
  scrivi_esempio(files, d, false, "Monte Alto_Valle Bassa", "123");
  scrivi_esempio(files, d, true, "Monte Alto_Valle Bassa", "7");
  scrivi_esempio(files, d, false, "Piano", "9");
  const fs::path c = docs / "completion";
  struct Caso {
    std::string riga;  // the words typed, the last one being completed
    std::set<std::string> attesi;
  };
  const std::vector<Caso> casi = {
      {"check " + d + " --line ''", {"Monte Alto_Valle Bassa", "Piano"}},
      {"compile --json " + d + " --line 'Monte Alto_Valle Bassa' --train ''", {"123", "7"}},
      {"plot " + d + " --train ''", {"123", "7", "9"}},
      {"check " + d + " --line P", {"Piano"}},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.riga);
    const fs::path bash = dir / "bash.sh";
    write_file(bash, "source '" + (c / "scenari-tool").string() + "'\nCOMP_WORDS=(scenari-tool " +
                         caso.riga + ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_scenari_tool\n"
                         "printf '%s\\n' \"${COMPREPLY[@]}\"\n");
    const fs::path fish = dir / "fish.fish";
    std::string riga_fish = caso.riga;
    if (riga_fish.ends_with(" ''")) riga_fish.resize(riga_fish.size() - 2);
    write_file(fish, "source '" + (c / "scenari-tool.fish").string() + "'\ncomplete -C\"scenari-tool " +
                         riga_fish + "\" | string replace -r '\\t.*' ''\n");
    for (const auto& [shell, script] : {std::pair{"bash", bash}, std::pair{"fish", fish}}) {
      const auto uscita = in_shell(shell, script);
      if (!uscita) continue;
      std::set<std::string> offerti;
      std::istringstream righe(*uscita);
      for (std::string r; std::getline(righe, r);) offerti.insert(r);
      EXPECT_EQ(offerti, caso.attesi) << shell << ":\n" << *uscita;
    }
  }
  // zsh draws its candidates from the same two listings.
  const fs::path zsh = dir / "zsh.zsh";
  write_file(zsh, "source <(grep -v '^_scenari-tool \"$@\"$' '" + (c / "_scenari-tool").string() +
                      "')\n_scenari_tool_routes '" + d + "'\n_scenari_tool_trains '" + d +
                      "' 'Monte Alto_Valle Bassa'\n");
  if (const auto uscita = in_shell("zsh", zsh)) {
    EXPECT_EQ(*uscita, "Monte Alto_Valle Bassa\nPiano\n123\n7\n");
  }
}

// scripts/deps holds the one package list; the README's table names the same.
TEST(Guida, ReadmeNamesThePackagesOfTheOneList) {
#ifdef _WIN32
  GTEST_SKIP() << "the package list is a shell script of the Debian build";
#endif
  const fs::path sorgenti = docs.parent_path();
  Cartella d;
  const std::string comando = "sh '" + (sorgenti / "scripts" / "deps").string() + "' --list >'" +
                              (d / "elenco").string() + "'";
  ASSERT_EQ(std::system(comando.c_str()), 0);
  std::set<std::string> elenco;
  std::istringstream righe(read_file(d / "elenco"));
  for (std::string p; righe >> p;) elenco.insert(p);

  const std::string readme = read_file(sorgenti / "README.md");
  const auto inizio = readme.find("## Packages (Debian)");
  ASSERT_NE(inizio, std::string::npos);
  const std::string tabella = readme.substr(inizio, readme.find("\n## ", inizio + 1) - inizio);
  std::set<std::string> nominati;
  const std::regex riga(R"(\n\| `([^`]+)` \|)");
  for (auto it = std::sregex_iterator(tabella.begin(), tabella.end(), riga);
       it != std::sregex_iterator(); ++it) {
    nominati.insert((*it)[1]);
  }
  EXPECT_EQ(nominati, elenco);
}

TEST(Guida, ManPageRendersWithoutWarnings) {
  if (std::system("man --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "man is not installed";
  Cartella d;
  const std::string comando = "MANWIDTH=80 man --warnings -l '" + (docs / "scenari-tool.1.in").string() +
                              "' >/dev/null 2>'" + (d / "err").string() + "'";
  EXPECT_EQ(std::system(comando.c_str()), 0);
  EXPECT_EQ(read_file(d / "err"), "");
}

}  // namespace
}  // namespace scenari::tool
