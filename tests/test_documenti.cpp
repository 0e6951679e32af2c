#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "esecuzione/documenti.h"
#include "support/ausili.h"

namespace fs = std::filesystem;
using namespace scenari;

namespace {

const fs::path riferimenti = fs::path(SCENARI_TEST_DATA).parent_path() / "conformance" / "run" / "expected";

// The lines of a CR LF text; fails the test when a line ends otherwise.
std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  while (inizio < testo.size()) {
    std::size_t fine = testo.find("\r\n", inizio);
    if (fine == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF";
      break;
    }
    righe.push_back(testo.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  return righe;
}

class Documenti : public ::testing::Test {
 protected:
  void SetUp() override {
    nomi = nomi_file(cartella.str(), "Lago Fontana_Lago Marinella", "40572");
  }

  const test::TestDirectory cartella{"documenti"};
  NomiFile nomi;
  platform::Files files;
};

}  // namespace

TEST_F(Documenti, FormAndCardMatchTheReferenceFilesByteForByte) {
  struct Caso {
    void (*scrittore)(platform::Files&, const NomiFile&);
    std::string nome;
    std::size_t righe;
    std::size_t byte;
  };
  const std::vector<Caso> casi = {
      {dati_rallentamenti, "Lago Fontana_Lago Marinella_40572_rallentamenti.txt", 46, 3283},
      {dati_scheda, "Lago Fontana_Lago Marinella_40572_scheda_treno.txt", 26, 1771},
  };
  for (const auto& caso : casi) {
    test::write_file(cartella / caso.nome, std::string(9000, '#'));
    caso.scrittore(files, nomi);
    const std::string scritto = test::read_file(cartella / caso.nome);
    EXPECT_EQ(scritto, test::read_file(riferimenti / caso.nome)) << caso.nome;
    EXPECT_EQ(scritto.size(), caso.byte) << caso.nome;
    EXPECT_EQ(righe_di(scritto).size(), caso.righe) << caso.nome;
  }
}

TEST_F(Documenti, CardCarriesTheWindowsBytesOfDegreeAndAGrave) {
  dati_scheda(files, nomi);
  const auto righe = righe_di(test::read_file(nomi.scheda));
  ASSERT_EQ(righe.size(), 26u);
  EXPECT_NE(righe[4].find("scheda n\xB0 1/1"), std::string::npos);
  EXPECT_NE(righe[14].find("Localit\xE0 "), std::string::npos);
  EXPECT_EQ(righe[11].substr(righe[11].size() - 9), "|        ");
  EXPECT_EQ(righe[22].substr(righe[22].size() - 6), "|     ");
}

TEST_F(Documenti, NotesKeepTheirThreeBlocks) {
  dati_note(files, nomi);
  const std::string testo = test::read_file(nomi.note);
  const auto righe = righe_di(testo);
  ASSERT_EQ(righe.size(), 14u);
  for (std::size_t i = 0; i < righe.size(); ++i) {
    const bool separatore = i == 7 || i == 10;
    EXPECT_EQ(righe[i].empty(), separatore) << "line " << i + 1;
    EXPECT_LE(righe[i].size(), 115u) << "line " << i + 1;
  }
  const std::string prosa = testo.substr(0, testo.find("\r\n\r\n"));
  EXPECT_NE(prosa.find("Lago Fontana"), std::string::npos);
  EXPECT_NE(prosa.find("Lago Marinella"), std::string::npos);
  // Two addresses, on the reserved top-level domain so none can be real.
  for (std::size_t i = 12; i < 14; ++i) {
    EXPECT_TRUE(righe[i].ends_with("@example.invalid")) << righe[i];
  }
  EXPECT_EQ(std::count(testo.begin(), testo.end(), '@'), 2);
}

TEST_F(Documenti, AFailedDocumentLeavesTheOldFileWhole) {
  const std::string vecchio = "old card\r\n";
  test::write_file(nomi.scheda, vecchio);
  test::FaultyFiles pieno(test::fail_on(platform::Operation::write, "", ENOSPC));
  EXPECT_THROW(dati_scheda(pieno, nomi), platform::FileError);
  EXPECT_EQ(test::read_file(nomi.scheda), vecchio);
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella.path()), fs::directory_iterator()), 1);
}
