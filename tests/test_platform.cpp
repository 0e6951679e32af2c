#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/scratch_directory.h"
#include "support/ausili.h"

namespace fs = std::filesystem;
using scenari::platform::FileError;
using scenari::platform::Files;
using scenari::platform::Operation;
using scenari::platform::ScratchDirectory;
namespace test = scenari::test;

namespace {

// Fails one operation on one path with an errno value, as a full disk or a
// refused rename would.
class FilesGuasti : public Files {
 public:
  FilesGuasti(Operation operazione, std::string percorso, int errore)
      : operazione_(operazione), percorso_(std::move(percorso)), errore_(errore) {}

 protected:
  int fault(Operation operazione, const std::string& percorso) override {
    return operazione == operazione_ && percorso == percorso_ ? errore_ : 0;
  }

 private:
  Operation operazione_;
  std::string percorso_;
  int errore_;
};

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
  EXPECT_FALSE(files.exists(cartella.str()));
}

TEST_F(FilesProva, FailuresNameThePathAndLeaveTheOldFileAndNoTemporary) {
  struct Caso {
    const char* nome;
    std::string bersaglio;
    Files* strato;
  };
  const std::string mancante = (cartella / "missing" / "a.txt").string();
  const std::string cartella_bersaglio = (cartella / "dir.txt").string();
  fs::create_directory(cartella_bersaglio);
  FilesGuasti disco_pieno(Operation::write, a, ENOSPC);
  FilesGuasti rinomina(Operation::rename, a, EACCES);
  FilesGuasti creazione(Operation::create, a, EROFS);
  const Caso casi[] = {
      {"directory missing", mancante, &files},
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
  FilesGuasti disco_pieno(Operation::write, b, ENOSPC);
  EXPECT_THROW(disco_pieno.replace_all({{a, "new a"}, {b, "new b"}}), FileError);
  EXPECT_EQ(test::read_file(a), "old a");
  EXPECT_EQ(test::read_file(b), "old b");
  EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "b.txt"}));
}

// The files renamed before the failure are taken back: the set is all old.
TEST_F(FilesProva, ReplaceAllRenameFailureUndoesTheEarlierRenames) {
  const std::string c = (cartella / "c.txt").string();
  FilesGuasti rinomina(Operation::rename, b, EACCES);
  EXPECT_THROW(rinomina.replace_all({{a, "new a"}, {b, "new b"}, {c, "new c"}}), FileError);
  EXPECT_EQ(contenuto(), std::set<std::string>{});

  test::write_file(a, "old a");
  test::write_file(b, "old b");
  FilesGuasti ultima(Operation::rename, c, EACCES);
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

TEST(Join, PutsOneSlashBetweenDirectoryAndName) {
  EXPECT_EQ(scenari::platform::join("/opt/run", "Lago Fontana_linea.txt"),
            "/opt/run/Lago Fontana_linea.txt");
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
    EXPECT_EQ(fs::status(prima.path()).permissions() & fs::perms::all, fs::perms::owner_all);
    fs::create_directories(fs::path(prima.path()) / "dentro" / "piu_dentro");
    test::write_file(fs::path(prima.path()) / "dentro" / "piu_dentro" / "x.txt", "x");
    percorso = prima.path();
  }
  EXPECT_FALSE(fs::exists(percorso));
}
