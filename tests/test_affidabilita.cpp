// Reliability of scenari-tool as a process: names that cannot form a
// scenario's file names, standard output that cannot be written, failures
// that reach main, description texts that are not regular files, and a
// second writer in the output directory.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/modello/nomi_file.h"
#include "esecuzione/nomi_validi.h"
#include "support/ausili.h"

namespace fs = std::filesystem;
namespace test = scenari::test;
using scenari::nome_rifiutato;

namespace {

const std::string linea = "Lago Fontana_Lago Marinella";

std::string motivo(std::string_view nome_linea, std::string_view numero_treno) {
  return nome_rifiutato(nome_linea, numero_treno).value_or("");
}

TEST(NomiValidi, NamesThatLeaveTheDirectoryOrAreNotNamesAreRefused) {
  struct Caso {
    std::string linea;
    std::string treno;
    std::string motivo;
  };
  const Caso casi[] = {
      {"../ESC", "40572", "route name contains '/'"},
      {"a\\b", "40572", "route name contains '\\'"},
      {"..", "40572", "route name is '..'"},
      {".", "40572", "route name is '.'"},
      {"", "40572", "route name is empty"},
      {linea, "", "train number is empty"},
      {linea, "40/572", "train number contains '/'"},
      {std::string("Lago\nFontana"), "40572", "route name contains the control character 0x0A"},
      {linea, std::string("405\x7F", 4), "train number contains the control character 0x7F"},
      {linea, std::string("40\0" "572", 6), "train number contains the control character 0x00"},
      {linea, "linea", "train number 'linea' makes the plan file and the cells file the same name"},
      {linea, "LINEA", "train number 'LINEA' makes the plan file and the cells file the same name"},
      // What Windows cannot hold, refused everywhere so a scenario copies there.
      {"C:Lago", "40572", "route name contains ':'"},
      {linea, "40*", "train number contains '*'"},
      {"Lago \"Fontana\"", "40572", "route name contains '\"'"},
      {"a<b>c", "40572", "route name contains '<'"},
      {linea, "4|5", "train number contains '|'"},
      {"Lago?", "40572", "route name contains '?'"},
      {"NUL.x", "1", "the name of the line text would be 'NUL.x_linea.txt', which Windows reserves for a device"},
      {"com7 .a", "1", "the name of the line text would be 'com7 .a_linea.txt', which Windows reserves for a device"},
      {"Lpt1.", "1", "the name of the line text would be 'Lpt1._linea.txt', which Windows reserves for a device"},
      // An underscore in the train number lets another scenario form its names.
      {"A", "B_linea", "train number 'B_linea' contains '_', so its cells file 'A_B_linea.dat' is the plan file of route 'A_B'"},
      {"A", "B_1", "train number 'B_1' contains '_', so its cells file 'A_B_1.dat' is also that of route 'A_B' with train '1'"},
      {"A", "5_", "train number '5_' contains '_', so its files could be another scenario's"},
  };
  for (const Caso& c : casi) EXPECT_EQ(motivo(c.linea, c.treno), c.motivo) << c.linea << " " << c.treno;
}

// No name of one scenario is a name of another: every pair of accepted
// scenarios made of the pieces the fixed names are made of.
TEST(NomiValidi, NoTwoScenariosShareAName) {
  const std::vector<std::string> pezzi = {"A", "_", "linea", "note", "treno", "-", ".", "dat", "1"};
  std::vector<std::string> parole = {""};
  for (int lunghezza = 0; lunghezza < 3; ++lunghezza) {
    const std::size_t finora = parole.size();
    for (std::size_t i = 0; i < finora; ++i) {
      for (const std::string& p : pezzi) parole.push_back(parole[i] + p);
    }
  }
  std::map<std::string, std::pair<std::string, std::string>> di_chi;
  int accettati = 0;
  const std::vector<std::string> treni(parole.begin(), parole.begin() + 1 + 9 + 81);
  for (const std::string& l : parole) {
    for (const std::string& t : treni) {
      if (!motivo(l, t).empty()) continue;
      ++accettati;
      const scenari::NomiFile n = scenari::nomi_file(l, t);
      for (const std::string& nome : {n.linea_txt, n.treno_txt, n.note, n.rallentamenti, n.scheda,
                                      n.linea_dat, n.sim, n.dat}) {
        const auto [voce, nuovo] = di_chi.emplace(nome, std::pair(l, t));
        EXPECT_TRUE(nuovo || voce->second.first == l)
            << nome << " of " << l << "/" << t << " and " << voce->second.first << "/" << voce->second.second;
      }
    }
  }
  EXPECT_GT(accettati, 30000);
}

// The longest name a run forms is the slowdown form's:
// "<route>_<train>_rallentamenti.txt", 19 bytes more than the two names,
// and its backup while it is replaced 15 more.
TEST(NomiValidi, TheLongestFileNameMustFitTheFileSystem) {
  const std::string treno = "40572";
  const std::string al_limite(255 - 15 - 19 - treno.size(), 'x');
  EXPECT_EQ(motivo(al_limite, treno), "");
  EXPECT_EQ(motivo(al_limite + "x", treno),
            "the name of the slowdown form would be 241 bytes long, and its backup while it is "
            "replaced 256, above the 255 a file system takes");
}

TEST(NomiValidi, OrdinaryNamesPass) {
  for (const auto& [l, t] : std::vector<std::pair<std::string, std::string>>{
           {linea, "40572"}, {"Citt\xE0 alta", "R 2"}, {"a..b", "..."}, {"-x", "linea2"},
           {"CON", "40572"}, {"COM10.x", "1"}, {"LPT0.x", "1"}, {"AUXILIA.x", "1"}}) {
    EXPECT_EQ(motivo(l, t), "") << l << " " << t;
  }
}

// ---- the built program ----
// Run through the shell, for its redirections of the standard streams to a
// full disk or a closed descriptor: POSIX only.
#ifndef _WIN32


class Programma : public ::testing::Test {
 protected:
  // Runs scenari-tool with `argomenti` (shell words) and `redirezione` for
  // its standard output; standard error goes to a file read into `errore`.
  int esegui(const std::string& argomenti, const std::string& redirezione) {
    const std::string comando = "'" + std::string(SCENARI_TOOL) + "' " + argomenti + " " +
                                redirezione + " 2>'" + (flussi / "err").string() + "'";
    const test::ProcessEnd fine = test::run_shell(comando);
    errore = test::read_file(flussi / "err");
    return fine.status;
  }
  int esegui(const std::string& argomenti) {
    return esegui(argomenti, ">'" + (flussi / "out").string() + "'");
  }
  std::string uscita() const { return test::read_file(flussi / "out"); }
  std::string in(const std::string& nome) const { return "'" + (cartella / nome).string() + "'"; }

  const test::TestDirectory cartella{"affidabilita"};
  const test::TestDirectory flussi{"affidabilita-flussi"};  // standard output and error
  std::string errore;
};

// Refused with 64 and why, before anything is read or written anywhere.
TEST_F(Programma, RefusedNamesWriteNothing) {
  fs::create_directories(cartella / "dir" / "out");
  ASSERT_EQ(esegui("texts " + in("dir")), 0);
  const auto prima = test::file_names(cartella.path());
  const auto dentro = test::file_names(cartella / "dir");
  for (const std::string& opzioni :
       {std::string("--line ../ESC"), std::string("--train linea"), std::string("--line ''"),
        std::string("--train \"$(printf 'a\\tb')\"")}) {
    for (const std::string& comando : {"compile " + in("dir") + " --out " + in("dir/out"),
                                       "plot " + in("dir") + " --out " + in("dir/p.svg")}) {
      EXPECT_EQ(esegui(comando + " " + opzioni), 64) << comando << " " << opzioni;
      EXPECT_NE(errore.find("refused: "), std::string::npos) << errore;
      EXPECT_EQ(test::file_names(cartella.path()), prima);
      EXPECT_EQ(test::file_names(cartella / "dir"), dentro);
      EXPECT_TRUE(fs::is_empty(cartella / "dir" / "out"));
    }
  }
  EXPECT_NE(errore.find("contains the control character 0x09"), std::string::npos) << errore;
}

// The longest route name accepted compiles again over its own outputs,
// whose backups are the longest names a run makes.
TEST_F(Programma, TheLongestRouteNameCompilesAgain) {
  const std::string lunga(255 - 15 - std::string("_1_rallentamenti.txt").size(), 'x');
  const std::string nomi = " --line " + lunga + " --train 1";
  ASSERT_EQ(esegui("texts " + in("dir") + nomi), 0) << errore;
  for (int volta = 0; volta < 2; ++volta) EXPECT_EQ(esegui("compile " + in("dir") + nomi), 0) << errore;
  EXPECT_EQ(test::file_names(cartella / "dir").size(), 5u);
  EXPECT_EQ(esegui("compile " + in("dir") + " --line x" + lunga + " --train 1"), 64);
}

// A compile into a directory another writer holds waits for it; with
// --no-wait it fails at once, naming the directory, and writes nothing.
TEST_F(Programma, NoWaitRefusesADirectoryAnotherWriterHolds) {
  fs::create_directories(cartella / "dir" / "out");
  ASSERT_EQ(esegui("texts " + in("dir")), 0);
  {
    const test::LockHeldElsewhere altrove((cartella / "dir" / "out").string());
    EXPECT_EQ(esegui("compile " + in("dir") + " --out " + in("dir/out") + " --no-wait"), 1);
    EXPECT_NE(errore.find((cartella / "dir" / "out").string()), std::string::npos) << errore;
    EXPECT_TRUE(fs::is_empty(cartella / "dir" / "out"));
  }
  EXPECT_EQ(esegui("compile " + in("dir") + " --out " + in("dir/out") + " --no-wait"), 0);
}

// Output that does not reach standard output is a failure: status 1 and
// the reason on standard error.
TEST_F(Programma, AStandardOutputThatCannotBeWrittenFails) {
  fs::create_directories(cartella / "dir");
  ASSERT_EQ(esegui("texts " + in("dir")), 0);
  ASSERT_EQ(esegui("compile " + in("dir")), 0);
  const std::string dat = in("dir/Lago Fontana_Lago Marinella_40572.dat");
  for (const std::string& comando :
       {"dump " + dat, "dump --json " + dat, "plot " + in("dir"), "texts --force " + in("dir"),
        std::string("--help"), std::string("--version")}) {
    EXPECT_EQ(esegui(comando, ">/dev/full"), 1) << comando;
    EXPECT_NE(errore.find("standard output: " + std::string(std::strerror(ENOSPC))), std::string::npos)
        << comando << ": " << errore;
    EXPECT_EQ(esegui(comando, ">&-"), 1) << comando;
    EXPECT_NE(errore.find("standard output: "), std::string::npos) << comando << ": " << errore;
  }
}

// A report that cannot be printed fails the run, status 1, after the
// binary files were written whole: for compile and for scenari alike.
TEST_F(Programma, AReportThatCannotBePrintedFailsAfterTheBinaries) {
  const std::string binari[] = {"Lago Fontana_Lago Marinella_linea.dat",
                                "Lago Fontana_Lago Marinella_40572.sim",
                                "Lago Fontana_Lago Marinella_40572.dat"};
  fs::create_directories(cartella / "dir");
  ASSERT_EQ(esegui("texts " + in("dir")), 0);
  EXPECT_EQ(esegui("compile " + in("dir"), ">/dev/full"), 1);
  EXPECT_NE(errore.find("standard output: " + std::string(std::strerror(ENOSPC))), std::string::npos)
      << errore;
  fs::create_directories(cartella / "run");
  const fs::path scenari = cartella / "run" / "scenari";
  fs::copy_file(SCENARI, scenari);
  const test::ProcessEnd fine = test::run_shell("unset DISPLAY; '" + scenari.string() +
                                                "' >/dev/full 2>'" + (flussi / "err").string() + "'");
  EXPECT_EQ(fine.status, 1);
  EXPECT_NE(test::read_file(flussi / "err").find("scenari: standard output: "), std::string::npos);
  for (const std::string& nome : binari) {
    EXPECT_EQ(test::read_file(cartella / "dir" / nome), test::read_file(cartella / "run" / nome)) << nome;
    EXPECT_GT(fs::file_size(cartella / "run" / nome), 0u) << nome;
  }
}

// dump shows the control characters of a file name escaped, whichever way
// the file is refused, so the name cannot drive the terminal.
TEST_F(Programma, DumpShowsControlCharactersOfAFileNameEscaped) {
  const std::string nome = "a\x1B[2J";
  test::write_file(cartella / (nome + ".sim"), "short");
  const std::pair<std::string, int> casi[] = {{".sim", 2}, {".dat", 1}, {".txt", 64}};
  for (const auto& [coda, stato] : casi) {
    EXPECT_EQ(esegui("dump \"$(printf '" + (cartella / "a\\033[2J").string() + coda + "')\""), stato)
        << coda;
    EXPECT_NE(errore.find("a\\x1B[2J" + coda), std::string::npos) << errore;
    EXPECT_EQ(errore.find('\x1B'), std::string::npos) << coda;
  }
}

// A failure that reaches main under --json still gives the driving program
// its JSON object.
TEST_F(Programma, FailuresReachingMainGiveTheJsonObject) {
  EXPECT_EQ(esegui("dump --json " + in("missing.dat")), 1);
  const std::string json = uscita();
  EXPECT_NE(json.find("\"status\": 1"), std::string::npos) << json;
  EXPECT_NE(json.find("\"message\": \"" + (cartella / "missing.dat").string() + ": "),
            std::string::npos)
      << json;
  EXPECT_NE(errore.find("missing.dat"), std::string::npos) << errore;
}

// A description text that is a directory or a FIFO is reported as such,
// and the FIFO does not make the compile wait for a writer.
TEST_F(Programma, TextsThatAreNotRegularFilesAreReportedAsSuch) {
  fs::create_directories(cartella / "dir");
  ASSERT_EQ(esegui("texts " + in("dir")), 0);
  const fs::path testo_linea = cartella / "dir" / "Lago Fontana_Lago Marinella_linea.txt";
  fs::remove(testo_linea);
  fs::create_directory(testo_linea);
  EXPECT_EQ(esegui("compile " + in("dir")), 1);
  EXPECT_NE(errore.find("_linea.txt: is a directory"), std::string::npos) << errore;
  fs::remove(testo_linea);
  ASSERT_EQ(test::run_shell("mkfifo '" + testo_linea.string() + "'").status, 0);
  EXPECT_EQ(esegui("compile " + in("dir")), 1);
  EXPECT_NE(errore.find("_linea.txt: not a regular file"), std::string::npos) << errore;
}

// A journal planted in the output directory moves or deletes nothing:
// one naming a file beside it, or a FIFO a writer would wait on for ever,
// ends the compile with status 1 naming the journal.
TEST_F(Programma, APlantedJournalEndsTheCompileTouchingNothing) {
  fs::create_directories(cartella / "out");
  fs::create_directories(cartella / "vd");
  ASSERT_EQ(esegui("texts " + in("src")), 0);
  test::write_file(cartella / "vd" / "victim", "x\n");
  const std::string nome = "../vd/victim.tmp-abcdef";
  const fs::path giornale = cartella / "out" / ".scenari-journal";
  for (const char* coda : {"", "rollback\n"}) {
    test::write_file(giornale, "scenari set\nn " + std::to_string(nome.size()) + " " + nome +
                                   "\nend\n" + coda);
    EXPECT_EQ(esegui("compile " + in("src") + " --out " + in("out")), 1);
    EXPECT_NE(errore.find(giornale.string() + ": refused: the name '" + nome + "' leaves the directory"),
              std::string::npos)
        << errore;
    EXPECT_EQ(test::file_names(cartella / "vd"), std::vector<std::string>{"victim"});
    EXPECT_EQ(test::file_names(cartella / "out"), std::vector<std::string>{".scenari-journal"});
  }
  fs::remove(giornale);
  ASSERT_EQ(::mkfifo(giornale.c_str(), 0644), 0);
  EXPECT_EQ(esegui("compile " + in("src") + " --out " + in("out"), "</dev/null >/dev/null"), 1);
  EXPECT_NE(errore.find(giornale.string() + ": not a regular file"), std::string::npos) << errore;
}

#endif

}  // namespace
