#include "core/lettura/campi.h"

#include <gtest/gtest.h>

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
      {"segnale,\r\n1000\r\n", {"segnale", "1000"}},
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
  EXPECT_THROW(LettoreCampi("1.5").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi(",").leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("-").leggi<std::int32_t>(), ErroreLettura);
}

TEST(LettoreCampi, ReadingPastTheEndFails) {
  LettoreCampi lettore("solo\r\n");
  EXPECT_EQ(lettore.leggi_testo(), "solo");
  EXPECT_TRUE(lettore.fine());
  EXPECT_THROW(lettore.leggi_testo(), ErroreLettura);
  EXPECT_THROW(lettore.leggi<std::int32_t>(), ErroreLettura);
  EXPECT_THROW(LettoreCampi("").leggi_testo(), ErroreLettura);
}

TEST(LettoreCampi, RemembersTheLineOfTheLastField) {
  LettoreCampi lettore("a,b\r\n\r\n  c,\r\n 5\nd");
  lettore.leggi_testo();
  EXPECT_EQ(lettore.riga(), 1);
  lettore.leggi_testo();
  EXPECT_EQ(lettore.riga(), 1);
  lettore.leggi_testo();
  EXPECT_EQ(lettore.riga(), 2);
  lettore.leggi_testo();
  EXPECT_EQ(lettore.riga(), 3);
  lettore.leggi<std::int32_t>();
  EXPECT_EQ(lettore.riga(), 4);
  lettore.leggi_testo();
  EXPECT_EQ(lettore.riga(), 5);
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
