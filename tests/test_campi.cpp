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
    EXPECT_EQ(avvisi[0].colonna, 4);
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

TEST(LettoreCampi, RemembersTheLineAndColumnOfTheLastField) {
  LettoreCampi lettore("a,b\r\n\r\n  c,\r\n 5\nd");
  const std::vector<std::pair<int, int>> attesi = {{1, 1}, {1, 3}, {2, 1}, {3, 3}, {3, 5}};
  for (const auto& [riga, colonna] : attesi) {
    lettore.leggi_testo();
    EXPECT_EQ(lettore.riga(), riga);
    EXPECT_EQ(lettore.colonna(), colonna);
  }
  lettore.leggi<std::int32_t>();
  EXPECT_EQ(lettore.riga(), 4);
  EXPECT_EQ(lettore.colonna(), 2);
  lettore.leggi_testo();
  EXPECT_EQ(lettore.riga(), 5);
  try {
    LettoreCampi lettore_numeri("5,  y12");
    lettore_numeri.leggi<std::int32_t>();
    lettore_numeri.leggi<std::int32_t>();
    ADD_FAILURE() << "no read failure";
  } catch (const ErroreLettura& e) {
    EXPECT_EQ(e.riga(), 1);
    EXPECT_EQ(e.colonna(), 5);
    EXPECT_NE(std::string(e.what()).find("\"y12\""), std::string::npos) << e.what();
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
