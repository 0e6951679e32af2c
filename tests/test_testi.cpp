#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/testi.h"

namespace fs = std::filesystem;
using namespace scenari;

namespace {

const fs::path riferimenti = fs::path(SCENARI_TEST_DATA).parent_path() / "conformance" / "run" / "expected";

std::string leggi(const fs::path& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CartellaProva : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string modello = (fs::temp_directory_path() / "testi-XXXXXX").string();
    ASSERT_NE(::mkdtemp(modello.data()), nullptr);
    cartella = modello;
    nomi = nomi_file(cartella.string(), "Lago Fontana_Lago Marinella", "40572");
  }
  void TearDown() override { fs::remove_all(cartella); }

  std::vector<std::string> contenuto() const {
    std::vector<std::string> nomi_trovati;
    for (const auto& voce : fs::directory_iterator(cartella)) {
      nomi_trovati.push_back(voce.path().filename().string());
    }
    return nomi_trovati;
  }

  fs::path cartella;
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
  EXPECT_EQ(linea, leggi(riferimenti / "Lago Fontana_Lago Marinella_linea.txt"));
  EXPECT_EQ(treno, leggi(riferimenti / "Lago Fontana_Lago Marinella_40572-.txt"));
  EXPECT_EQ(linea.size(), 647u);
  EXPECT_EQ(treno.size(), 727u);
  EXPECT_NE(treno.find("orologio,    7               59            47 \r\n"), std::string::npos);
  EXPECT_EQ(linea.find(fine_tabella), std::string::npos);
  EXPECT_EQ(treno.find(fine_tabella), std::string::npos);
}

TEST_F(CartellaProva, WritersPutTheTextsUnderTheirNames) {
  dati_linea(files, nomi);
  dati_treno(files, nomi);
  EXPECT_EQ(leggi(cartella / "Lago Fontana_Lago Marinella_linea.txt"), testo_linea());
  EXPECT_EQ(leggi(cartella / "Lago Fontana_Lago Marinella_40572-.txt"), testo_treno());
  EXPECT_EQ(contenuto().size(), 2u);
}

TEST_F(CartellaProva, ALongerOldFileIsReplacedWhole) {
  std::ofstream(nomi.linea_txt, std::ios::binary) << std::string(5000, 'z');
  dati_linea(files, nomi);
  dati_linea(files, nomi);
  EXPECT_EQ(leggi(nomi.linea_txt), testo_linea());
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
