#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/files.h"

namespace fs = std::filesystem;
using scenari::platform::FileError;
using scenari::platform::Files;
using scenari::platform::Operation;

namespace {

std::string leggi(const fs::path& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void scrivi(const fs::path& percorso, const std::string& byte) {
  std::ofstream(percorso, std::ios::binary) << byte;
}

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
    std::string modello = (fs::temp_directory_path() / "platform-XXXXXX").string();
    ASSERT_NE(::mkdtemp(modello.data()), nullptr);
    cartella = modello;
    a = (cartella / "a.txt").string();
    b = (cartella / "b.txt").string();
  }
  void TearDown() override { fs::remove_all(cartella); }

  std::set<std::string> contenuto() const {
    std::set<std::string> trovati;
    for (const auto& voce : fs::directory_iterator(cartella)) {
      trovati.insert(voce.path().filename().string());
    }
    return trovati;
  }

  fs::path cartella;
  std::string a;
  std::string b;
  Files files;
};

}  // namespace

TEST_F(FilesProva, ReplaceDropsTheTailOfALongerOldFile) {
  scrivi(a, std::string(4096, 'x'));
  files.replace(a, "new\r\n");
  EXPECT_EQ(leggi(a), "new\r\n");
  files.replace(a, "");
  EXPECT_EQ(fs::file_size(a), 0u);
  EXPECT_EQ(contenuto(), std::set<std::string>{"a.txt"});
}

TEST_F(FilesProva, ReadReturnsEveryByte) {
  const std::string byte("\x00\xB0\r\n\xE0", 5);
  files.replace(a, byte);
  EXPECT_EQ(files.read(a), byte);
  EXPECT_TRUE(files.exists(a));
  EXPECT_FALSE(files.exists(cartella.string()));
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
    scrivi(a, "old content");
    try {
      caso.strato->replace(caso.bersaglio, "new");
      ADD_FAILURE() << caso.nome << ": no error";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), caso.bersaglio) << caso.nome;
      EXPECT_FALSE(e.reason().empty()) << caso.nome;
      EXPECT_NE(std::string(e.what()).find(caso.bersaglio), std::string::npos) << caso.nome;
    }
    EXPECT_EQ(leggi(a), "old content") << caso.nome;
    EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "dir.txt"})) << caso.nome;
  }
}

TEST_F(FilesProva, ReplaceAllWritesEveryFile) {
  scrivi(a, std::string(100, 'o'));
  files.replace_all({{a, "first"}, {b, "second"}});
  EXPECT_EQ(leggi(a), "first");
  EXPECT_EQ(leggi(b), "second");
  EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_F(FilesProva, ReplaceAllWriteFailureKeepsEveryOldFile) {
  scrivi(a, "old a");
  scrivi(b, "old b");
  FilesGuasti disco_pieno(Operation::write, b, ENOSPC);
  EXPECT_THROW(disco_pieno.replace_all({{a, "new a"}, {b, "new b"}}), FileError);
  EXPECT_EQ(leggi(a), "old a");
  EXPECT_EQ(leggi(b), "old b");
  EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "b.txt"}));
}

// The files renamed before the failure are taken back: the set is all old.
TEST_F(FilesProva, ReplaceAllRenameFailureUndoesTheEarlierRenames) {
  const std::string c = (cartella / "c.txt").string();
  FilesGuasti rinomina(Operation::rename, b, EACCES);
  EXPECT_THROW(rinomina.replace_all({{a, "new a"}, {b, "new b"}, {c, "new c"}}), FileError);
  EXPECT_EQ(contenuto(), std::set<std::string>{});

  scrivi(a, "old a");
  scrivi(b, "old b");
  FilesGuasti ultima(Operation::rename, c, EACCES);
  EXPECT_THROW(ultima.replace_all({{a, "new a"}, {b, "new b"}, {c, "new c"}}), FileError);
  EXPECT_EQ(leggi(a), "old a");
  EXPECT_EQ(leggi(b), "old b");
  EXPECT_EQ(contenuto(), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_F(FilesProva, RemoveReportsAMissingFileButRemoveIfExistsDoesNot) {
  EXPECT_THROW(files.remove(a), FileError);
  EXPECT_NO_THROW(files.remove_if_exists(a));
  scrivi(a, "x");
  files.remove(a);
  EXPECT_FALSE(fs::exists(a));
}

TEST(Join, PutsOneSlashBetweenDirectoryAndName) {
  EXPECT_EQ(scenari::platform::join("/opt/run", "Lago Fontana_linea.txt"),
            "/opt/run/Lago Fontana_linea.txt");
}
