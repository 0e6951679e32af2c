#include "core/lettura/campi.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace scenari {
namespace {

std::vector<std::string> testi_fino_alla_fine(std::string_view testo) {
  LettoreCampi lettore(testo);
  std::vector<std::string> campi;
  while (!lettore.fine()) campi.push_back(lettore.leggi_testo());
  return campi;
}

TEST(LettoreCampi, TextFieldsSplitAtCommasAndLineEnds) {
  struct Caso {
    const char* testo;
    std::vector<std::string> campi;
  };
  const std::vector<Caso> casi = {
      {"a,b\r\nc\r\n", {"a", "b", "c"}},
      {"pendenza  , 500    , -7\r\n", {"pendenza  ", "500    ", "-7"}},
      {"   lead,  x\n", {"lead", "x"}},
      {"\"BIVIO, KM 2\",next\r\n", {"BIVIO, KM 2", "next"}},
      {"\"quoted\" tail,x\r\n", {"quoted", "x"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a,,b\n", {"a", "", "b"}},
      {"[fine]", {"[fine]"}},
      {"a\rb\r", {"a", "b"}},
      {"segnale,\r\n1000\r\n", {"segnale", "", "1000"}},
      {"stazione, 0, NOME,\r\nstazione, 500\r\n", {"stazione", "0", "NOME", "", "stazione", "500"}},
      {"cartello indicatore, 2000,  \r\nx\r\n", {"cartello indicatore", "2000", "", "x"}},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(testi_fino_alla_fine(caso.testo), caso.campi) << caso.testo;
  }
}

TEST(LettoreCampi, NumericFieldsEndAtBlanks) {
  LettoreCampi lettore("orologio,    7               59            47 \r\nx,    0    ,0\r\n");
  EXPECT_EQ(lettore.leggi_testo(), "orologio");
  EXPECT_EQ(lettore.leggi<std::int16_t>(), 7);
  EXPECT_EQ(lettore.leggi<std::int16_t>(), 59);
  EXPECT_EQ(lettore.leggi<std::int16_t>(), 47);
  EXPECT_EQ(lettore.leggi_testo(), "x");
  EXPECT_EQ(lettore.leggi<std::int32_t>(), 0);
  EXPECT_EQ(lettore.leggi<std::int32_t>(), 0);
  EXPECT_TRUE(lettore.fine());
}

TEST(LettoreCampi, NumbersAreCheckedAgainstTheirWidth) {
  EXPECT_EQ(LettoreCampi("-2147483648").leggi<std::int32_t>(), INT32_MIN);
  EXPECT_EQ(LettoreCampi("\"500\"").leggi<std::int32_t>(), 500);
  EXPECT_EQ(LettoreCampi("+12,").leggi<std::int32_t>(), 12);
  EXPECT_EQ(LettoreCampi("255").leggi<std::uint8_t>(), 255);
  EXPECT_THROW(LettoreCampi("256").leggi<std::uint8_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("-1").leggi<std::uint8_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("32768").leggi<std::int16_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("2147483648").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("123456789012345678901234567890").leggi<std::int32_t>(),
               ErroreLettura);
  EXPECT_THROW(LettoreCampi("abc").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("1.5.2").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi(".").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("2147483647.5").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_EQ(LettoreCampi("7.2222222222222222222222").leggi<std::int32_t>(), 7)
      << "any number of decimal digits";
  EXPECT_THROW(LettoreCampi("7.5x").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi(",").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("-").leggi<std::int32_t>(), ErroreLettura);
}

// Decimals go to the nearest whole number, ties to the even one, decided on
// the digits as written; each rounding is reported at its field.
TEST(LettoreCampi, DecimalsAreRoundedWithAWarning) {
  struct Caso {
    const char* testo;
    std::int32_t valore;
  };
  const Caso casi[] = {{"32.5", 32}, {"33.5", 34}, {"32.50001", 33}, {"32.4999", 32},
                       {"-2.5", -2}, {"-3.5", -4}, {".5", 0},        {"7.", 7},
                       {"0.51", 1},  {"12.0", 12}};
  for (const Caso& caso : casi) {
    std::vector<AvvisoCampo> avvisi;
    const std::string testo = std::string("x, ") + caso.testo + "\r\n";
    LettoreCampi lettore(testo, [&avvisi](AvvisoCampo a) { avvisi.push_back(std::move(a)); });
    lettore.leggi_testo();
    EXPECT_EQ(lettore.leggi<std::int32_t>(), caso.valore) << caso.testo;
    ASSERT_EQ(avvisi.size(), 1u) << caso.testo;
    EXPECT_EQ(avvisi[0].tratto, (Tratto{1, 4, 4 + static_cast<std::int32_t>(std::string_view(caso.testo).size())}));
    EXPECT_EQ(avvisi[0].controllo, "decimal-value");
    EXPECT_NE(avvisi[0].messaggio.find(caso.testo), std::string::npos) << avvisi[0].messaggio;
  }
  EXPECT_EQ(LettoreCampi("2.5").leggi<std::int32_t>(), 2) << "no receiver, no warning";
}

TEST(LettoreCampi, ReadingPastTheEndFails) {
  LettoreCampi lettore("solo\r\n");
  EXPECT_EQ(lettore.leggi_testo(), "solo");
  EXPECT_TRUE(lettore.fine());
  EXPECT_THROW(lettore.leggi_testo(), ErroreLettura);
  EXPECT_THROW(lettore.leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("").leggi_testo(), ErroreLettura);
}

TEST(LettoreCampi, RemembersWhereTheLastFieldLies) {
  LettoreCampi lettore("a,b\r\n\r\n  c  ,\r\n 5 \nd");
  const std::vector<Tratto> attesi = {{1, 1, 2}, {1, 3, 4}, {2, 1, 1}, {3, 3, 4}, {3, 7, 7}};
  for (const Tratto& atteso : attesi) {
    lettore.leggi_testo();
    EXPECT_EQ(lettore.tratto(), atteso);
  }
  lettore.leggi<std::int32_t>();
  EXPECT_EQ(lettore.tratto(), (Tratto{4, 2, 3}));
  lettore.leggi_testo();
  EXPECT_EQ(lettore.tratto().riga, 5);
  try {
    LettoreCampi lettore_numeri("5,  y12 ");
    lettore_numeri.leggi<std::int32_t>();
    lettore_numeri.leggi<std::int32_t>();
    ADD_FAILURE() << "no read failure";
  } catch (const ErroreLettura& e) {
    EXPECT_EQ(e.tratto(), (Tratto{1, 5, 8}));
    EXPECT_NE(std::string(e.what()).find("\"y12\""), std::string::npos) << e.what();
  }
  try {
    LettoreCampi alla_fine("x,\r\n");
    alla_fine.leggi_testo();
    alla_fine.leggi_testo();
    alla_fine.leggi_testo();
    ADD_FAILURE() << "no read failure";
  } catch (const ErroreLettura& e) {
    EXPECT_EQ(e.tratto(), (Tratto{2, 1, 1})) << "where the text ends";
  }
}

// A line cut alone gives the fields, and their places, that the readers
// take from it inside a text.
TEST(Scansione, ALineAloneIsCutAsInsideTheText) {
  const std::vector<std::string> righe = {
      "pendenza  , 500    , -7",
      "orologio,    7               59            47 ",
      "cartello indicatore, 2500, \"LAGO, BIVIO\" x ",
      "velocita, 100, 30,",
      "",
      "   ",
      "ripetizione segnali 4 codici,    0    ,0",
  };
  const Modo numeri[] = {Modo::numero, Modo::numero, Modo::testo};
  for (const std::string& riga : righe) {
    SCOPED_TRACE(riga);
    const std::vector<CampoLetto> campi = campi_della_riga(riga, 7, numeri, Modo::numero);
    const std::string testo = riga + "\r\nnext";
    Scansione scansione(testo);
    for (std::size_t i = 0; i < campi.size(); ++i) {
      const Modo modo = i == 0 ? Modo::testo : i <= 3 ? numeri[i - 1] : Modo::numero;
      const CampoLetto atteso = scansione.campo(modo);
      EXPECT_EQ(campi[i].valore, atteso.valore) << i;
      EXPECT_EQ(campi[i].tratto, (Tratto{7, atteso.tratto.inizio, atteso.tratto.fine})) << i;
    }
    EXPECT_EQ(scansione.campo(Modo::testo).valore, "next") << "the line holds no other field";
  }
  const std::vector<CampoLetto> orologio = campi_della_riga(righe[1], 1, numeri, Modo::numero);
  ASSERT_EQ(orologio.size(), 4u);
  EXPECT_EQ(orologio[2].valore, "59");
  EXPECT_EQ(orologio[2].tratto, (Tratto{1, 30, 32}));
  const std::vector<CampoLetto> cartello = campi_della_riga(righe[2], 1, numeri, Modo::numero);
  ASSERT_EQ(cartello.size(), 3u);
  EXPECT_EQ(cartello[2].valore, "LAGO, BIVIO");
  EXPECT_EQ(cartello[2].tratto, (Tratto{1, 28, 41})) << "a quoted field spans its quotes";
  const std::vector<CampoLetto> virgola = campi_della_riga(righe[3], 1);
  ASSERT_EQ(virgola.size(), 4u);
  EXPECT_EQ(virgola[3].tratto, (Tratto{1, 19, 19})) << "the empty field after the last comma";
}

TEST(Scansione, LinesEndAtCrLfLfOrCrAlone) {
  const IndiceRighe indice("a\r\nb\nc\rd\r\n");
  EXPECT_EQ(indice.righe(), (std::vector<std::string_view>{"a", "b", "c", "d", ""}));
  EXPECT_EQ(indice.riga(3), "c");
  EXPECT_EQ(indice.riga(0), "");
  EXPECT_EQ(indice.riga(9), "");
  LettoreCampi lettore("a\r\nb\nc\rd\r\n");
  for (std::int32_t riga = 1; riga <= 4; ++riga) {
    EXPECT_EQ(lettore.leggi_testo(), indice.riga(riga));
    EXPECT_EQ(lettore.tratto().riga, riga);
  }
}

TEST(Contiene, CaseSensitiveAndInsensitive) {
  EXPECT_TRUE(contiene("progressiva chilometrica uno", "uno"));
  EXPECT_FALSE(contiene("Progressiva", "progressiva"));
  EXPECT_TRUE(contiene_nocase("NUMERO VETTURE", "vetture"));
  EXPECT_TRUE(contiene_nocase("x", ""));
  EXPECT_FALSE(contiene_nocase("vettur", "vetture"));
}

}  // namespace
}  // namespace scenari
