#include "core/modello/modello.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace scenari {
namespace {

TEST(Arrotonda, ExactDivisionThenTiesToEven) {
  EXPECT_EQ(arrotonda(125, 2), 62);   // 62.5
  EXPECT_EQ(arrotonda(5, 2), 2);      // 2.5
  EXPECT_EQ(arrotonda(7, 2), 4);      // 3.5
  EXPECT_EQ(arrotonda(1075, 50), 22);  // 21.5
  EXPECT_EQ(arrotonda(1125, 50), 22);  // 22.5
  EXPECT_EQ(arrotonda(87, 5), 17);    // 17.4
  EXPECT_EQ(arrotonda(88, 5), 18);    // 17.6
  EXPECT_EQ(arrotonda(-25, 50), 0);   // -0.5
  EXPECT_EQ(arrotonda(-75, 50), -2);  // -1.5
  EXPECT_EQ(arrotonda(-60, 50), -1);  // -1.2
  EXPECT_EQ(arrotonda(-90, 50), -2);  // -1.8
}

// Where a position lands and back: a point object written at p shows again
// at p when p is a multiple of 50, and within 25 m otherwise.
TEST(CelleFormato, PositionRulesAndTheirInverses) {
  EXPECT_EQ(cella_punto(1000), 21);
  EXPECT_EQ(cella_punto(1025), 22);  // 21.5 to the even 22
  EXPECT_EQ(cella_punto(1075), 22);  // 22.5 to the even 22
  EXPECT_EQ(cella_profilo(1025), 20);
  EXPECT_EQ(cella_profilo(-25), 0);
  for (std::int64_t p = -100; p <= 2000; p += 7) {
    EXPECT_LE(std::abs(metro_punto(cella_punto(p)) - p), 25) << p;
    EXPECT_LE(std::abs(inizio_cella(cella_profilo(p)) - p), 25) << p;
  }
  EXPECT_EQ(cella_fermata(1530), 29);
  EXPECT_EQ(metro_fermata(29), 1500);

  cella segnale{.tipo = tipo_cella::segnale};
  cella fermata{.tipo = tipo_cella::fermata};
  cella montagna{.tipo = tipo_cella::marcatore_montagna};
  EXPECT_EQ(metro_autore(21, segnale), 1000);
  EXPECT_EQ(metro_autore(29, fermata), 1500);
  EXPECT_EQ(metro_autore(21, montagna), 1050);
}

// Every packed value decodes to what was encoded, for every value within
// its fields' ranges, but for a signal's sx 3 with dx 1 or 2, whose aspect
// spills into rapp (check warns on it).
TEST(CelleFormato, PackedValuesDecodeToWhatWasEncoded) {
  EXPECT_EQ(codifica_cartello_velocita(85, 90), 1718);
  for (int s = 0; s <= 1600; ++s) {
    for (int d = 0; d <= 95; d += 5) {
      const auto v = decodifica_cartello_velocita(
          static_cast<std::int16_t>(codifica_cartello_velocita(s, d)));
      ASSERT_EQ(v.s, s);
      ASSERT_EQ(v.d, d);
    }
  }
  for (int s = 0; s <= 9; ++s) {
    for (int d = 0; d <= 9; ++d) {
      const Coppia c = decodifica_coppia(static_cast<std::int16_t>(codifica_coppia(s, d)));
      EXPECT_TRUE(c.s == s && c.d == d) << s << " " << d;
    }
  }
  int traboccano = 0;
  for (int rapp = 0; rapp <= 9; ++rapp) {
    for (int sx = 0; sx <= 3; ++sx) {
      for (int dx = 0; dx <= 2; ++dx) {
        const auto a = decodifica_ripetizione(
            static_cast<std::int16_t>(codifica_ripetizione(rapp, codifica_aspetto(sx, dx))));
        const bool uguale = a.rapp == rapp && a.sx == sx && a.dx == dx;
        EXPECT_EQ(uguale, sx < 3 || dx == 0) << rapp << " " << sx << " " << dx;
        traboccano += uguale ? 0 : 1;
      }
    }
  }
  EXPECT_EQ(traboccano, 20);
  EXPECT_EQ(avvicinamento_segnale(codifica_aspetto(2, 1), 4), 74);
  EXPECT_EQ(avvicinamento_stazione(1), 81);

  for (int per_mille : {-100, -12, 0, 35, 155}) {
    EXPECT_EQ(pendenza_per_mille(codifica_pendenza(per_mille)), per_mille);
  }
  EXPECT_EQ(codifica_pendenza(-101), 255);  // the low 8 bits, as stored
  EXPECT_EQ(passi_velocita(137), 27);
  EXPECT_EQ(velocita_kmh(27), 135);

  EXPECT_TRUE(cella_timbrata(cella_partenza, cella{.dato1 = timbro_cella_partenza}));
  EXPECT_FALSE(cella_timbrata(2, cella{.dato1 = timbro_cella_partenza}));
  voce_tabella linea;
  linea.intero1 = timbro_voce_partenza;
  EXPECT_TRUE(voce_timbrata(linea));
}

TEST(Modello, RouteSizeFollowsTheLength) {
  Modello m;
  m.genera_linea = 1;
  m.crea_percorso(7000);
  EXPECT_EQ(m.lunghezza_totale, 14000);
  EXPECT_EQ(m.numero_celle, 280);
  EXPECT_EQ(m.celle_percorso.size(), 281u);
  EXPECT_EQ(m.planimetria.ultimo_metro(), 14000);

  m.crea_percorso(7025);
  EXPECT_EQ(m.numero_celle, 280);
  m.crea_percorso(7075);
  EXPECT_EQ(m.numero_celle, 282);

  m.genera_linea = 0;
  m.crea_percorso(50);
  EXPECT_EQ(m.numero_celle, 141);
  EXPECT_FALSE(m.planimetria.esiste());
}

TEST(Planimetria, XValuesComeBeforeYValues) {
  Planimetria p;
  p.crea(3);
  p.poni_x(2, 1.5);
  p.poni_y(0, std::int16_t{7});
  EXPECT_EQ(std::get<double>(p.elemento(2)), 1.5);
  EXPECT_EQ(std::get<std::int16_t>(p.elemento(4)), 7);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(p.elemento(7)));
  EXPECT_EQ(come_double(p.y(0)), 7.0);
}

}  // namespace
}  // namespace scenari
