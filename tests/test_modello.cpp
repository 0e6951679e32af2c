#include "core/modello/modello.h"

#include <gtest/gtest.h>

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

TEST(Modello, RouteSizeFollowsTheLength) {
  Modello m;
  m.genera_linea = 1;
  m.crea_percorso(7000);
  EXPECT_EQ(m.lunghezza_totale, 14000);
  EXPECT_EQ(m.numero_celle, 280);
  EXPECT_EQ(m.celle_percorso.size(), 281u);
  EXPECT_EQ(m.planimetria.numero_elementi(), 2u * 14001u);

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
