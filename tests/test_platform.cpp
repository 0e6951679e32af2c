#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>

#include <cerrno>
#include <cstring>
#include <functional>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/directory_lock.h"
#include "platform/files.h"
#include "platform/journal.h"
#include "platform/paths.h"
#include "platform/scratch_directory.h"
#include "support/ausili.h"
#include "support/insieme.h"

namespace fs = std::filesystem;
using scenari::platform::FileError;
using scenari::platform::Files;
using scenari::platform::Operation;
using scenari::platform::ScratchDirectory;
namespace test = scenari::test;

namespace {


class FilesProva : public ::testing::Test {
 protected:
  void SetUp() override {
    a = (cartella / "a.txt").string();
    b = (cartella / "b.txt").string();
  }

  std::set<std::string> contenuto() const {
    const std::vector<std::string> nomi = test::file_names(cartella.path());
    return {nomi.begin(), nomi.end()};
  }

  const test::TestDirectory cartella{"platform"};
  std::string a;
  std::string b;
  Files files;
};

}  // namespace

TEST_F(FilesProva, ReplaceDropsTheTailOfALongerOldFile) {
  test::write_file(a, std::string(4096, 'x'));
  files.replace(a, "new\r\n");
  EXPECT_EQ(test::read_file(a), "new\r\n");
  files.replace(a, "");
  EXPECT_EQ(fs::file_size(a), 0u);
  EXPECT_EQ(contenuto(), std::set<std::string>{"a.txt"});
}

TEST_F(FilesProva, ReadReturnsEveryByte) {
  const std::string byte("\x00\xB0\r\n\xE0", 5);
  files.replace(a, byte);
  EXPECT_EQ(files.read(a), byte);
  EXPECT_TRUE(files.exists(a));
  EXPECT_FALSE(files.exists(b));
}

// What is not a regular file is reported with its reason, by `exists` and
// `read` alike, and a FIFO with no writer does not block the read.
#ifndef _WIN32
// FIFOs and symbolic link loops: POSIX only.
TEST_F(FilesProva, NonRegularFilesAreReportedWithTheirReason) {
  const std::string fifo = (cartella / "fifo.txt").string();
  const std::string anello = (cartella / "loop.txt").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(anello, anello);
  struct Caso {
    std::string percorso;
    std::string motivo;
  };
  for (const auto& caso : {Caso{cartella.str(), "is a directory"}, Caso{fifo, "not a regular file"},
                           Caso{anello, std::strerror(ELOOP)}}) {
    for (const auto& operazione : {std::function<void()>([&] { files.exists(caso.percorso); }),
                                   std::function<void()>([&] { files.read(caso.percorso); })}) {
      try {
        operazione();
        ADD_FAILURE() << caso.percorso << ": no error";
      } catch (const FileError& e) {
        EXPECT_EQ(e.path(), caso.percorso);
        EXPECT_EQ(e.reason(), caso.motivo);
      }
    }
  }
  EXPECT_THROW(files.read(b), FileError);
}

#endif

TEST_F(FilesProva, FailuresNameThePathAndLeaveTheOldFileAndNoTemporary) {
  struct Caso {
    const char* nome;
    std::string bersaglio;
    Files* strato;
  };
  const std::string cartella_bersaglio = (cartella / "dir.txt").string();
  fs::create_directory(cartella_bersaglio);
  test::FaultyFiles disco_pieno(test::fail_on(Operation::write, a, ENOSPC));
  test::FaultyFiles rinomina(test::fail_on(Operation::rename, a, EACCES));
  test::FaultyFiles creazione(test::fail_on(Operation::create, a, EROFS));
  const Caso casi[] = {
      {"target is a directory", cartella_bersaglio, &files},
      {"disk full", a, &disco_pieno},
      {"rename refused", a, &rinomina},
      {"read-only directory", a, &creazione},
  };
  for (const auto& caso : casi) {
    test::write_file(a, "old content");
    try {
      caso.strato->replace(caso.bersaglio, "new");
      ADD_FAILURE() << caso.nome << ": no error";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), caso.bersaglio) << caso.nome;
      EXPECT_FALSE(e.reason().empty()) << caso.nome;
      EXPECT_NE(std::string(e.what()).find(caso.bersaglio), std::string::npos) << caso.nome;
    }
    EXPECT_EQ(test::read_file(a), "old content") << caso.nome;
    EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "dir.txt"})) << caso.nome;
  }
}

// A missing directory is named itself: it is locked before anything is
// written there.
TEST_F(FilesProva, AMissingDirectoryIsNamed) {
  const std::string mancante = (cartella / "missing").string();
  try {
    files.replace(mancante + "/a.txt", "new");
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), mancante);
#ifdef _WIN32
    EXPECT_EQ(e.reason(), "File not found") << "the system's own words";
#else
    EXPECT_EQ(e.reason(), std::strerror(ENOENT));
#endif
  }
}

TEST_F(FilesProva, ReplaceAllWritesEveryFile) {
  test::write_file(a, std::string(100, 'o'));
  files.replace_all({{a, "first"}, {b, "second"}});
  EXPECT_EQ(test::read_file(a), "first");
  EXPECT_EQ(test::read_file(b), "second");
  EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_F(FilesProva, ReplaceAllWriteFailureKeepsEveryOldFile) {
  test::write_file(a, "old a");
  test::write_file(b, "old b");
  test::FaultyFiles disco_pieno(test::fail_on(Operation::write, b, ENOSPC));
  EXPECT_THROW(disco_pieno.replace_all({{a, "new a"}, {b, "new b"}}), FileError);
  EXPECT_EQ(test::read_file(a), "old a");
  EXPECT_EQ(test::read_file(b), "old b");
  EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "b.txt"}));
}

// The files renamed before the failure are taken back: the set is all old.
TEST_F(FilesProva, ReplaceAllRenameFailureUndoesTheEarlierRenames) {
  const std::string c = (cartella / "c.txt").string();
  test::FaultyFiles rinomina(test::fail_on(Operation::rename, b, EACCES));
  EXPECT_THROW(rinomina.replace_all({{a, "new a"}, {b, "new b"}, {c, "new c"}}), FileError);
  EXPECT_EQ(contenuto(), std::set<std::string>{});

  test::write_file(a, "old a");
  test::write_file(b, "old b");
  test::FaultyFiles ultima(test::fail_on(Operation::rename, c, EACCES));
  EXPECT_THROW(ultima.replace_all({{a, "new a"}, {b, "new b"}, {c, "new c"}}), FileError);
  EXPECT_EQ(test::read_file(a), "old a");
  EXPECT_EQ(test::read_file(b), "old b");
  EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_F(FilesProva, RemoveReportsAMissingFileButRemoveIfExistsDoesNot) {
  EXPECT_THROW(files.remove(a), FileError);
  EXPECT_NO_THROW(files.remove_if_exists(a));
  test::write_file(a, "x");
  files.remove(a);
  EXPECT_FALSE(fs::exists(a));
}

TEST(Join, PutsOneSeparatorBetweenDirectoryAndName) {
#ifdef _WIN32
  using scenari::platform::directory_of;
  using scenari::platform::join;
  using scenari::platform::name_of;
  EXPECT_EQ(join("C:\\run", "a.txt"), "C:\\run\\a.txt");
  EXPECT_EQ(join("C:\\", "a.txt"), "C:\\a.txt");
  EXPECT_EQ(join("C:", "a.txt"), "C:a.txt");
  EXPECT_EQ(join("\\\\server\\share", "a.txt"), "\\\\server\\share\\a.txt");
  EXPECT_EQ(join("run/", "a.txt"), "run/a.txt");
  // Both separators, drives and shares.
  const std::pair<std::string, std::string> casi[] = {
      {"C:\\run\\a.txt", "C:\\run"}, {"C:/run/a.txt", "C:/run"}, {"run\\sub/a.txt", "run\\sub"},
      {"C:\\a.txt", "C:\\"},         {"C:a.txt", "C:"},           {"a.txt", "."},
      {"\\\\server\\share\\a.txt", "\\\\server\\share\\"}, {"/a.txt", "/"}};
  for (const auto& [percorso, cartella] : casi) {
    EXPECT_EQ(directory_of(percorso), cartella) << percorso;
    EXPECT_EQ(name_of(percorso), "a.txt") << percorso;
  }
#else
  EXPECT_EQ(scenari::platform::join("/opt/run", "Lago Fontana_linea.txt"),
            "/opt/run/Lago Fontana_linea.txt");
#endif
}

// Each scratch directory is new and private, and goes with all it holds,
// nested directories included.
TEST(ScratchDirectory, IsFreshAndRemovedWithItsContent) {
  std::string percorso;
  {
    const ScratchDirectory prima("platform");
    const ScratchDirectory seconda("platform");
    EXPECT_NE(prima.path(), seconda.path());
    EXPECT_TRUE(fs::is_empty(prima.path()));
    EXPECT_EQ(fs::path(prima.path()).filename().string().rfind("platform-", 0), 0u);
#ifndef _WIN32
    EXPECT_EQ(fs::status(prima.path()).permissions() & fs::perms::all, fs::perms::owner_all);
#endif
    fs::create_directories(fs::path(prima.path()) / "dentro" / "piu_dentro");
    test::write_file(fs::path(prima.path()) / "dentro" / "piu_dentro" / "x.txt", "x");
    percorso = prima.path();
  }
  EXPECT_FALSE(fs::exists(percorso));
}

// ---- sets of files replaced as one ----

namespace {

using scenari::platform::DirectoryLock;
using scenari::platform::OutputFile;

#ifndef _WIN32
// Sends the process SIGTERM at the n-th operation of any kind and goes on;
// hard links can be made to fail.
test::FaultyFiles segnalati(int n, bool senza_link) {
  return test::FaultyFiles([=](const test::FaultyFiles::Call& c) {
    if (c.all == n) ::raise(SIGTERM);
    return c.operation == Operation::link && senza_link ? EPERM : 0;
  });
}
#endif

class Insiemi : public ::testing::Test {
 protected:
  const std::map<std::string, std::string>& vecchi = test::old_set();
  const std::map<std::string, std::string>& nuovi = test::new_set();

  void prepara() {
    for (const auto& voce : fs::directory_iterator(cartella.path())) fs::remove(voce.path());
    for (const auto& [nome, byte] : vecchi) test::write_file(cartella / nome, byte);
  }

  std::vector<OutputFile> insieme() const { return test::new_outputs(cartella.path()); }

  // Runs the child that replaces the set (`passo` "set") or recovers the
  // directory ("recover"), ended at operation `fine`; its exit status.
  int interrotto(const char* passo, int fine, bool senza_link) const {
    const std::string parole = std::string(passo) + " '" + cartella.str() + "' " + std::to_string(fine) +
                               (senza_link ? " without-links" : " with-links");
    return test::run_program(SCENARI_INSIEME_INTERROTTO, parole).status;
  }

  // All old or all new, and nothing else in the directory.
  void verifica_intero(const std::string& caso) const {
    const auto dopo = test::file_contents(cartella.path());
    EXPECT_TRUE(dopo == vecchi || dopo == nuovi) << caso << ": " << testing::PrintToString(test::file_names(cartella.path()));
  }

  const test::TestDirectory cartella{"insiemi"};
};

}  // namespace

TEST_F(Insiemi, ReplaceSetWritesEveryFileAndLeavesNothingElse) {
  prepara();
  Files files;
  files.replace_set(insieme());
  EXPECT_EQ(test::file_contents(cartella.path()), nuovi);
}

// The run killed before each operation in turn, with hard links and
// without; then the next run's recovery, itself killed before each of its
// own operations in turn: the set is whole and nothing is left behind.
TEST_F(Insiemi, AKillAnywhereLeavesAWholeSetOnceRecovered) {
  for (const bool senza_link : {false, true}) {
    prepara();
    test::FaultyFiles conta = test::ended_at(0, senza_link);
    conta.replace_set(insieme());
    const int operazioni = conta.all;
    ASSERT_GE(operazioni, 12);
    for (int fine = 1; fine <= operazioni; ++fine) {
      const std::string caso = std::string(senza_link ? "without" : "with") +
                               " hard links, killed before operation " + std::to_string(fine);
      prepara();
      ASSERT_EQ(interrotto("set", fine, senza_link), 9) << caso;
      for (int fine_recupero = 1;; ++fine_recupero) {
        const int recupero = interrotto("recover", fine_recupero, senza_link);
        if (recupero == 0) break;
        ASSERT_EQ(recupero, 9) << caso;
      }
      verifica_intero(caso);
    }
  }
}

// Every operation failed in turn: the error names the file, the set is
// whole and nothing is left; a failed hard link only changes how the older
// files are kept.
TEST_F(Insiemi, AFailureAnywhereLeavesAWholeSet) {
  prepara();
  test::FaultyFiles conta(test::fail_nth(Operation::create, 0));
  conta.replace_set(insieme());
  for (const auto& [tipo, quante] : conta.counts) {
    for (int n = 1; n <= quante; ++n) {
      const std::string caso = "operation " + std::to_string(static_cast<int>(tipo)) + " #" +
                               std::to_string(n);
      prepara();
      test::FaultyFiles files(test::fail_nth(tipo, n));
      if (tipo == Operation::link) {
        files.replace_set(insieme());
        EXPECT_EQ(test::file_contents(cartella.path()), nuovi) << caso;
        continue;
      }
      try {
        files.replace_set(insieme());
        ADD_FAILURE() << caso << ": no error";
      } catch (const FileError& e) {
        EXPECT_EQ(e.path(), files.failed_path) << caso;
        EXPECT_EQ(e.reason(), std::strerror(EIO)) << caso;
      }
      verifica_intero(caso);
    }
  }
}

#ifndef _WIN32
// Signals: POSIX only.
// SIGTERM arriving anywhere in a replacement is acted on once the set is
// whole, with nothing left beside it.
TEST_F(Insiemi, SignalsWaitForTheWholeSet) {
  for (const bool senza_link : {false, true}) {
    prepara();
    test::FaultyFiles conta = segnalati(0, senza_link);
    conta.replace_set(insieme());
    ASSERT_GE(conta.all, 12);
    for (int n = 1; n <= conta.all; ++n) {
      prepara();
      const test::ProcessEnd run =
          test::run_in_child([&] { segnalati(n, senza_link).replace_set(insieme()); });
      EXPECT_EQ(run.signal, SIGTERM) << "operation " << n;
      EXPECT_EQ(test::file_contents(cartella.path()), nuovi) << "operation " << n;
    }
  }
}

#endif

// Older leftovers (temporaries and backups of killed runs) go; names that
// only look alike stay.
TEST_F(Insiemi, RecoveryRemovesOnlyLeftovers) {
  prepara();
  for (const char* avanzo : {"a.dat.tmp-Ab3xYz", "b.sim.tmp-000000-old"}) {
    test::write_file(cartella / avanzo, "left");
  }
  test::write_file(cartella / ".scenari-journal", "scenari set\nn 16 a.dat.tmp-Ab");  // cut short
  for (const char* simile : {"a.dat.tmp-Ab3xY", "a.dat.tmp-Ab3x_z", "b.sim-old", "tmp-123456"}) {
    test::write_file(cartella / simile, "mine");
  }
  Files().recover(cartella.str());
  EXPECT_EQ(test::file_names(cartella.path()),
            (std::vector<std::string>{"a.dat", "a.dat.tmp-Ab3xY", "a.dat.tmp-Ab3x_z", "b.sim",
                                      "b.sim-old", "tmp-123456"}));
}

#ifndef _WIN32
// Planted links and FIFOs, and other processes forked as writers: POSIX
// only.
// A journal that names a file outside the directory, or that is not a
// regular file (a link to one elsewhere, a FIFO a writer would block on, a
// directory), is refused naming the journal, and nothing anywhere changes.
TEST_F(Insiemi, APlantedJournalIsRefusedTouchingNothing) {
  const test::TestDirectory altrove{"insiemi-altrove"};
  test::write_file(altrove / "victim", "mine");
  test::write_file(altrove / "victim.tmp-abcdef", "planted");
  const std::string giornale = (cartella / ".scenari-journal").string();
  const std::string nome = "../" + altrove.path().filename().string() + "/victim.tmp-abcdef";
  auto pianta = [&](const std::function<void()>& come) {
    prepara();
    test::write_file(cartella / "a.dat.tmp-Ab3xYz", "left");
    come();
  };
  const std::vector<std::function<void()>> giornali = {
      [&] { test::write_file(giornale, "scenari set\no " + std::to_string(nome.size()) + " " + nome + "\nend\n"); },
      [&] {
        test::write_file(giornale, "scenari set\nn " + std::to_string(nome.size()) + " " + nome +
                                       "\nend\nrollback\n");
      },
      [&] { fs::create_symlink(altrove / "victim", giornale); },
      [&] { ASSERT_EQ(::mkfifo(giornale.c_str(), 0644), 0); },
      [&] { fs::create_directory(giornale); },
  };
  for (std::size_t i = 0; i < giornali.size(); ++i) {
    pianta(giornali[i]);
    const auto prima = test::file_names(cartella.path());
    for (const bool sostituisci : {false, true}) {
      try {
        if (sostituisci) {
          Files().replace_set(insieme());
        } else {
          Files().recover(cartella.str());
        }
        ADD_FAILURE() << "journal " << i << " accepted";
      } catch (const FileError& e) {
        EXPECT_EQ(e.path(), giornale) << i;
      }
      EXPECT_EQ(test::file_names(cartella.path()), prima) << i;
      EXPECT_EQ(test::read_file(cartella / "a.dat"), "old a") << i;
      EXPECT_EQ(test::file_contents(altrove.path()),
                (std::map<std::string, std::string>{{"victim", "mine"}, {"victim.tmp-abcdef", "planted"}}))
          << i;
    }
  }
}

// Two writers replacing one set many times, and a reader taking the lock
// between them: every set it sees is one writer's whole set.
TEST_F(Insiemi, TwoWritersNeverMixASet) {
  const std::vector<std::string> nomi = {"a.dat", "b.sim", "c.dat"};
  auto scrittore = [&](char chi) {
    Files files;
    for (int giro = 0; giro < 25; ++giro) {
      const std::string marca = std::string(1, chi) + std::to_string(giro) + ":";
      std::vector<std::pair<std::string, std::string>> set;
      for (const auto& nome : nomi) set.emplace_back((cartella / nome).string(), marca + nome + std::string(20000, chi));
      files.replace_all(set);
    }
  };
  const pid_t primo = ::fork();
  if (primo == 0) { scrittore('x'); ::_exit(0); }
  const pid_t secondo = ::fork();
  if (secondo == 0) { scrittore('y'); ::_exit(0); }
  int letture = 0;
  auto leggi = [&] {
    const DirectoryLock lock(cartella.str(), true);
    std::set<std::string> marche;
    for (const auto& nome : nomi) {
      const std::string byte = test::read_file(cartella / nome);
      marche.insert(byte.substr(0, byte.find(':')));
    }
    EXPECT_LE(marche.size(), 1u) << testing::PrintToString(marche);
    ++letture;
  };
  for (int stato = 0; ::waitpid(primo, &stato, WNOHANG) == 0;) leggi();
  for (int stato = 0; ::waitpid(secondo, &stato, WNOHANG) == 0;) leggi();
  leggi();
  EXPECT_EQ(test::file_names(cartella.path()), nomi);
  EXPECT_GT(letture, 1);
}

#endif

// The lock is refused at once to a second process when asked not to wait,
// naming the directory, and taken again freely by its holder; once
// released, the other process has it.
TEST_F(Insiemi, ALockedDirectoryIsRefusedToAnotherProcess) {
  const std::string altro = "lock '" + cartella.str() + "'";
  {
    const DirectoryLock lock(cartella.str(), false);
    const test::Run rifiutato = test::run_program(SCENARI_INSIEME_INTERROTTO, altro);
    EXPECT_EQ(rifiutato.status, 1) << rifiutato.output;
    EXPECT_NE(rifiutato.output.find(cartella.str()), std::string::npos) << rifiutato.output;
    const DirectoryLock ancora(cartella.str(), false);
    prepara();
    Files().replace_set(insieme());
    EXPECT_EQ(test::file_contents(cartella.path()), nuovi);
  }
  EXPECT_EQ(test::run_program(SCENARI_INSIEME_INTERROTTO, altro).status, 0);
}

// A journal is acted on only when written whole: one cut short at any byte
// means the run ended before its first rename.
TEST(Journal, OnlyAWholeJournalIsReadBack) {
  using namespace scenari::platform;
  const std::vector<JournalEntry> voci = {{"x_linea.dat.tmp-aB3dE9", true}, {"x 1.sim.tmp-000000", false}};
  const std::string testo = journal_text(voci);
  for (std::size_t n = 0; n < testo.size(); ++n) {
    const JournalReading troncato = parse_journal(testo.substr(0, n));
    EXPECT_FALSE(troncato.journal.has_value()) << n;
    EXPECT_EQ(troncato.refusal, "") << n;
  }
  const auto letto = parse_journal(testo).journal;
  ASSERT_TRUE(letto.has_value());
  ASSERT_EQ(letto->entries.size(), 2u);
  EXPECT_EQ(letto->entries[0].temporary, voci[0].temporary);
  EXPECT_TRUE(letto->entries[0].had_older);
  EXPECT_FALSE(letto->entries[1].had_older);
  EXPECT_FALSE(letto->rolling_back);
  EXPECT_FALSE(parse_journal(testo + "rollb").journal->rolling_back);
  EXPECT_TRUE(parse_journal(testo + std::string(rollback_mark)).journal->rolling_back);
  EXPECT_EQ(target_of(voci[1].temporary), "x 1.sim");
}

// A planted journal is refused, with the reason, whenever a name in it is
// not the temporary of a plain name of the directory, or the text is not
// one a replacement writes.
TEST(Journal, NamesOutsideTheSetAreRefused) {
  using namespace scenari::platform;
  auto voce = [](const std::string& nome) {
    return "scenari set\nn " + std::to_string(nome.size()) + " " + nome + "\nend\n";
  };
  const std::pair<std::string, std::string> casi[] = {
      {voce("../vd/victim.tmp-abcdef"), "the name '../vd/victim.tmp-abcdef' leaves the directory"},
      {voce("/etc/x.tmp-abcdef"), "the name '/etc/x.tmp-abcdef' leaves the directory"},
      {voce("a\\b.tmp-abcdef"), "the name 'a\\b.tmp-abcdef' leaves the directory"},
      {voce("...tmp-abcdef"), "the name '...tmp-abcdef' leaves the directory"},
      {voce("..tmp-abcdef"), "the name '..tmp-abcdef' leaves the directory"},
      {voce("a\x1b[2Jb.tmp-abcdef"), "the name 'a\\x1B[2Jb.tmp-abcdef' holds a control character"},
      {voce("victim"), "the name 'victim' is not a temporary's"},
      {voce("a.dat.tmp-abcdef-old"), "the name 'a.dat.tmp-abcdef-old' is not a temporary's"},
      {voce(".scenari-journal.tmp-abcdef"),
       "the name '.scenari-journal.tmp-abcdef' is not the temporary of an output"},
      {voce("a.tmp-123456.tmp-abcdef"),
       "the name 'a.tmp-123456.tmp-abcdef' is not the temporary of an output"},
      {"scenari set\nn 12 a.tmp-abcdef\no 12 a.tmp-123456\nend\n",
       "the name 'a.tmp-123456' is the second temporary of its file"},
      {"scenari set\nn 99 a.tmp-abcdef\nend\n" + std::string(99, 'x'),
       "an entry's name is not as long as it says"},
      {"scenari set\nx 12 a.tmp-abcdef\nend\n", "an entry begins with neither 'o' nor 'n'"},
      {"scenari set\nn 99999999999999999999 a\n", "an entry has no length for its name"},
      {"victim\n", "it does not begin as a journal does"},
      {voce("a.tmp-abcdef") + "rollback\nmore", "it goes on after its end"},
  };
  for (const auto& [testo, motivo] : casi) {
    const JournalReading letto = parse_journal(testo);
    EXPECT_FALSE(letto.journal.has_value()) << testo;
    EXPECT_EQ(letto.refusal, motivo) << testo;
  }
}

// Two contents for one file, as a train number equal to a reserved suffix
// would give: refused before anything is written.
TEST_F(Insiemi, AFileNamedTwiceInASetIsRefused) {
  prepara();
  const std::string a = (cartella / "a.dat").string();
  EXPECT_THROW(Files().replace_all({{a, "one"}, {(cartella / "b.sim").string(), "b"}, {a, "two"}}),
               FileError);
  EXPECT_EQ(test::file_contents(cartella.path()), vecchi);
}
