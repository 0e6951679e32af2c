#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "esecuzione/testi.h"
#include "support/ausili.h"

namespace fs = std::filesystem;
using namespace scenari;

namespace {

const fs::path riferimenti = fs::path(SCENARI_TEST_DATA).parent_path() / "conformance" / "run" / "expected";

class CartellaProva : public ::testing::Test {
 protected:
  void SetUp() override {
    nomi = nomi_file(cartella.str(), "Lago Fontana_Lago Marinella", "40572");
  }

  std::vector<std::string> contenuto() const { return test::file_names(cartella.path()); }

  const test::TestDirectory cartella{"testi"};
  NomiFile nomi;
  platform::Files files;
};

}  // namespace

TEST(ComponiTesto, LinesUpToTheEndMarkerEachWithCrLf) {
  struct Caso {
    std::vector<std::string_view> righe;
    std::string atteso;
  };
  const std::vector<Caso> casi = {
      {{fine_tabella}, ""},
      {{"", fine_tabella}, "\r\n"},
      {{"a ", " b", fine_tabella, "dopo la fine"}, "a \r\n b\r\n"},
      {{"Riferimento fine del file", fine_tabella}, "Riferimento fine del file\r\n"},
      {{"riferimento fine del file "}, "riferimento fine del file \r\n"},
      {{"senza fine"}, "senza fine\r\n"},
      {{"\xB0\xE0", fine_tabella}, "\xB0\xE0\r\n"},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(componi_testo(caso.righe), caso.atteso);
  }
}

TEST(DescriptionTexts, MatchTheReferenceFilesByteForByte) {
  const std::string linea = testo_linea();
  const std::string treno = testo_treno();
  EXPECT_EQ(linea, test::read_file(riferimenti / "Lago Fontana_Lago Marinella_linea.txt"));
  EXPECT_EQ(treno, test::read_file(riferimenti / "Lago Fontana_Lago Marinella_40572-.txt"));
  EXPECT_EQ(linea.size(), 647u);
  EXPECT_EQ(treno.size(), 727u);
  EXPECT_NE(treno.find("orologio,    7               59            47 \r\n"), std::string::npos);
  EXPECT_EQ(linea.find(fine_tabella), std::string::npos);
  EXPECT_EQ(treno.find(fine_tabella), std::string::npos);
}

TEST_F(CartellaProva, WritersPutTheTextsUnderTheirNames) {
  dati_linea(files, nomi);
  dati_treno(files, nomi);
  EXPECT_EQ(test::read_file(cartella / "Lago Fontana_Lago Marinella_linea.txt"), testo_linea());
  EXPECT_EQ(test::read_file(cartella / "Lago Fontana_Lago Marinella_40572-.txt"), testo_treno());
  EXPECT_EQ(contenuto().size(), 2u);
}

TEST_F(CartellaProva, ALongerOldFileIsReplacedWhole) {
  test::write_file(nomi.linea_txt, std::string(5000, 'z'));
  dati_linea(files, nomi);
  dati_linea(files, nomi);
  EXPECT_EQ(test::read_file(nomi.linea_txt), testo_linea());
}

TEST_F(CartellaProva, AFailedWriteNamesTheFileAndLeavesNoTemporary) {
  fs::create_directory(nomi.treno_txt);
  try {
    dati_treno(files, nomi);
    FAIL() << "writing over a directory must fail";
  } catch (const platform::FileError& e) {
    EXPECT_EQ(e.path(), nomi.treno_txt);
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_TRUE(fs::is_directory(nomi.treno_txt));
  EXPECT_EQ(contenuto().size(), 1u);
}
