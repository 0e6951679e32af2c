#include "core/lettura/lettura.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/ausili.h"

namespace scenari {
namespace {

namespace fs = std::filesystem;

constexpr const char* linea_buona =
    "[generale]\r\nlunghezza percorso,    1000\r\n[curve]\r\n[fine]\r\n";
constexpr const char* treno_buono = "[generale]\r\nnumero vetture,    6\r\n[fine]\r\n";

class Lettura : public testing::Test {
 protected:
  void SetUp() override {
    nomi_ = nomi_file(cartella_.str(), "Monte_Valle", "77");
    m_.nome_linea = "Monte_Valle";
    m_.numero_treno = "77";
  }

  void scrivi(const std::string& percorso, const std::string& testo) {
    files_.replace(percorso, testo);
  }

  void leggi(std::optional<std::string> linea, std::optional<std::string> treno) {
    if (linea) scrivi(nomi_.linea_txt, *linea);
    if (treno) scrivi(nomi_.treno_txt, *treno);
    memorizza_dati(m_, files_, nomi_);
    EXPECT_TRUE(m_.file_in_lettura.empty());
  }

  bool c_e(const std::string& percorso) { return files_.exists(percorso); }

  const test::TestDirectory cartella_{"scenari-lettura"};
  NomiFile nomi_;
  Modello m_;
  platform::Files files_;
};

TEST_F(Lettura, BothTextsReadAndDeleted) {
  leggi(linea_buona, treno_buono);
  EXPECT_EQ(m_.codice_errore, 0);
  EXPECT_EQ(m_.numero_celle, 160);
  EXPECT_EQ(m_.tabella_generale[84].valore3, 6);
  EXPECT_FALSE(c_e(nomi_.linea_txt));
  EXPECT_FALSE(c_e(nomi_.treno_txt));
  EXPECT_TRUE(fs::is_empty(cartella_.path()));
}

TEST_F(Lettura, MissingLineTextLeavesTheTrainText) {
  leggi(std::nullopt, treno_buono);
  EXPECT_EQ(m_.codice_errore, 101);
  EXPECT_FALSE(m_.celle_create());
  EXPECT_TRUE(c_e(nomi_.treno_txt));
}

TEST_F(Lettura, LineRefusalDeletesTheLineTextOnly) {
  leggi("[generale]\r\nlunghezza percorso,    1000001\r\n[fine]\r\n", treno_buono);
  EXPECT_EQ(m_.codice_errore, 1);
  EXPECT_FALSE(c_e(nomi_.linea_txt));
  EXPECT_TRUE(c_e(nomi_.treno_txt));
  EXPECT_EQ(m_.tabella_generale[84].valore3, 0);
}

TEST_F(Lettura, PositionBeyondTheRouteStillReadsTheTrain) {
  leggi("[generale]\r\nlunghezza percorso,    1000\r\n[pendenze]\r\n"
        "pendenza, 7901, 2\r\n[fine]\r\n",
        treno_buono);
  EXPECT_EQ(m_.codice_errore, 15);
  EXPECT_EQ(m_.posizione_errore, 7901);
  EXPECT_EQ(m_.tabella_generale[84].valore3, 6);
  EXPECT_TRUE(fs::is_empty(cartella_.path()));
}

struct CasoFallimento {
  const char* nome;
  std::optional<std::string> linea;
  std::optional<std::string> treno;
  const char* file_errore;
  std::int32_t riga_errore;
};

class LetturaFallita : public Lettura, public testing::WithParamInterface<CasoFallimento> {};

TEST_P(LetturaFallita, Code25AndNoDescriptionTextLeft) {
  const CasoFallimento& caso = GetParam();
  leggi(caso.linea, caso.treno);
  EXPECT_EQ(m_.codice_errore, 25);
  ASSERT_NE(m_.ultimo_problema(), nullptr);
  EXPECT_EQ(m_.ultimo_problema()->file, caso.file_errore);
  EXPECT_EQ(m_.ultimo_problema()->riga, caso.riga_errore);
  EXPECT_TRUE(fs::is_empty(cartella_.path()));
}

INSTANTIATE_TEST_SUITE_P(
    Casi, LetturaFallita,
    testing::Values(
        CasoFallimento{"empty_line_text", "", treno_buono, "Monte_Valle_linea.txt", 1},
        CasoFallimento{"bad_number_in_line_text",
                       "[generale]\r\nlunghezza percorso,    mille\r\n[fine]\r\n", treno_buono,
                       "Monte_Valle_linea.txt", 2},
        CasoFallimento{"missing_train_text", linea_buona, std::nullopt, "Monte_Valle_77-.txt", 0},
        CasoFallimento{"bad_number_in_train_text", linea_buona,
                       "[generale]\r\n\r\nnumero vetture,    sei\r\n[fine]\r\n",
                       "Monte_Valle_77-.txt", 3}),
    [](const testing::TestParamInfo<CasoFallimento>& info) { return info.param.nome; });

}  // namespace
}  // namespace scenari
