#include "core/lettura_linea.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/campi.h"
#include "core/planimetria_calcolo.h"

namespace scenari {
namespace {

// The reference scenarios sit next to the test data directory.
std::string cartella_conformita_() {
  std::string dati = SCENARI_TEST_DATA;
  return dati.substr(0, dati.rfind('/')) + "/conformance/";
}
const std::string cartella_conformita = cartella_conformita_();

std::string leggi_file(const std::string& percorso) {
  std::ifstream file(percorso, std::ios::binary);
  EXPECT_TRUE(file.good()) << percorso;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string testo_caso(const std::string& caso, const std::string& nome = "Lago Fontana_Lago Marinella") {
  return leggi_file(cartella_conformita + caso + "/" + nome + "_linea.txt");
}

Modello modello_nuovo(std::int32_t genera_linea = 1) {
  Modello m;
  m.nome_linea = "Lago Fontana_Lago Marinella";
  m.numero_treno = "40572";
  m.genera_linea = genera_linea;
  return m;
}

// A line text of a 7000 m route with the given extra general lines and body.
std::string testo_linea(const std::string& corpo, const std::string& generale = "") {
  return "[generale]\r\nlunghezza percorso,    7000\r\n" + generale + "[curve]\r\n" + corpo +
         "[fine]\r\n";
}

struct Lettura {
  Modello m;
  DopoLinea dopo;
};

Lettura leggi(const std::string& testo, std::int32_t genera_linea = 1) {
  Lettura l{modello_nuovo(genera_linea), DopoLinea::termina};
  l.dopo = leggi_linea(l.m, testo);
  return l;
}

// The plan array encoded as the plan file stores it: a 16-bit kind tag
// (0 empty, 2 integer, 5 double) before each value.
std::string codifica_piano(const Planimetria& piano) {
  std::string byte;
  auto aggiungi = [&byte](const void* dati, std::size_t n) {
    byte.append(static_cast<const char*>(dati), n);
  };
  for (const auto& e : piano.elementi()) {
    const std::uint16_t tag = static_cast<std::uint16_t>(
        std::holds_alternative<std::monostate>(e) ? 0 : std::holds_alternative<std::int16_t>(e) ? 2 : 5);
    aggiungi(&tag, 2);
    if (const auto* i = std::get_if<std::int16_t>(&e)) aggiungi(i, 2);
    if (const auto* d = std::get_if<double>(&e)) aggiungi(d, 8);
  }
  return byte;
}

TEST(LetturaLinea, EmbeddedLineGeneralValues) {
  const Lettura l = leggi(testo_caso("01_embedded"));
  EXPECT_EQ(l.dopo, DopoLinea::leggi_treno);
  EXPECT_EQ(l.m.codice_errore, 0);
  EXPECT_EQ(l.m.lunghezza_totale, 14000);
  EXPECT_EQ(l.m.numero_celle, 280);
  EXPECT_EQ(l.m.celle_percorso.size(), 281u);
  const auto& t = l.m.tabella_generale;
  EXPECT_EQ(t[84].valore2, 7000);
  EXPECT_EQ(t[85].nome, "Lago Fontana_Lago Marinella");
  EXPECT_EQ(t[86].nome, "40572");
  EXPECT_EQ((std::vector{t[85].valore1, t[85].valore2, t[85].valore3}), (std::vector{1, 0, 0}));
  EXPECT_EQ((std::vector{t[86].valore1, t[86].valore2, t[86].valore3}), (std::vector{0, 0, 0}));
  for (int r : {81, 82, 83}) EXPECT_EQ(t[static_cast<std::size_t>(r)], voce_tabella{}) << r;
  EXPECT_EQ(l.m.contatore_cartelli, 80);
  EXPECT_EQ(l.m.riga, "[fine]");
}

TEST(LetturaLinea, EmbeddedLineGradientsAndBoards) {
  const Lettura l = leggi(testo_caso("01_embedded"));
  struct Tratto {
    int da, a, pendenza;
  };
  for (const Tratto& tr : std::vector<Tratto>{{0, 9, 100},    {10, 39, 93},   {40, 79, 90},
                                              {80, 95, 100},  {96, 115, 104}, {116, 277, 100},
                                              {278, 280, 0}}) {
    for (int k = tr.da; k <= tr.a; ++k) {
      EXPECT_EQ(l.m.celle_percorso[static_cast<std::size_t>(k)].pendenza, tr.pendenza) << k;
    }
  }
  const cella& c22 = l.m.celle_percorso[22];
  EXPECT_EQ((std::vector<int>{c22.tipo, c22.dato1, c22.dato2, c22.dato3, c22.dato4}),
            (std::vector<int>{6, 1717, 1818, 1919, 0}));
  const cella& c71 = l.m.celle_percorso[71];
  EXPECT_EQ((std::vector<int>{c71.tipo, c71.dato1, c71.dato2, c71.dato3, c71.dato4}),
            (std::vector<int>{6, 1616, 1717, 1818, 0}));
}

TEST(LetturaLinea, EmbeddedLinePlanPoints) {
  const Lettura l = leggi(testo_caso("01_embedded"));
  const Planimetria& p = l.m.planimetria;
  ASSERT_EQ(p.ultimo_metro(), 14000);
  EXPECT_EQ(p.x(0), valore_piano{std::int16_t{0}});
  EXPECT_EQ(p.y(0), valore_piano{std::int16_t{0}});
  EXPECT_EQ(p.x(1), valore_piano{std::int16_t{0}});
  EXPECT_EQ(p.y(1), valore_piano{std::int16_t{1}});
  for (int m = 2; m <= 500; ++m) {
    ASSERT_EQ(p.x(m), valore_piano{0.0}) << m;
    ASSERT_EQ(p.y(m), valore_piano{double(m)}) << m;
  }
  EXPECT_EQ(std::get<double>(p.x(501)), 0.0002);
  EXPECT_EQ(std::get<double>(p.y(501)), 501.0);
  EXPECT_NEAR(std::get<double>(p.x(502)), 0.0006, 1e-15);
  EXPECT_NEAR(std::get<double>(p.y(502)), 501.99999996, 1e-9);
  struct Atteso {
    int metro;
    double x, y;
  };
  for (const Atteso& a : std::vector<Atteso>{{800, 9.027318, 799.820034},
                                             {1900, -86.324105, 1888.187559},
                                             {3700, -1079.231617, 3246.715413},
                                             {13998, -11233.767306, 4998.140507}}) {
    EXPECT_NEAR(std::get<double>(p.x(a.metro)), a.x, 5e-7) << a.metro;
    EXPECT_NEAR(std::get<double>(p.y(a.metro)), a.y, 5e-7) << a.metro;
  }
  EXPECT_NEAR(come_double(p.x(13998)) - come_double(p.x(13997)), -0.986069, 5e-7);
  EXPECT_NEAR(come_double(p.y(13998)) - come_double(p.y(13997)), 0.170074, 5e-7);
  for (int m : {13999, 14000}) {
    EXPECT_TRUE(std::holds_alternative<std::monostate>(p.x(m))) << m;
    EXPECT_TRUE(std::holds_alternative<std::monostate>(p.y(m))) << m;
  }
}

// The reference plan files and the gradient and terrain columns of the
// reference cell files, for every reference scenario that builds them.
TEST(LetturaLinea, ReferenceScenariosMatchTheirFiles) {
  struct Caso {
    const char* cartella;
    const char* linea;
    const char* treno;
    std::int32_t genera_linea;
  };
  const std::vector<Caso> casi = {
      {"01_embedded", "Lago Fontana_Lago Marinella", "40572", 1},
      {"02_extra_signals", "Lago Fontana_Lago Marinella", "40572", 1},
      {"03_slowdown_near_signal", "Lago Fontana_Lago Marinella", "40572", 1},
      {"06_station_changes", "Lago Fontana_Lago Marinella", "40572", 1},
      {"11_quoted_fields", "Lago Fontana_Lago Marinella", "40572", 1},
      {"14_longer_route_curves", "Lago Fontana_Lago Marinella", "40572", 1},
      {"16_terrain_edges", "Lago Fontana_Lago Marinella", "40572", 1},
      {"22_route_7075_no_plan", "Lago Fontana_Lago Marinella", "40572", 0},
      {"23_progressives_code2", "Lago Fontana_Lago Marinella", "40572", 1},
      {"30_other_names", "Monte Alto_Valle Bassa", "1234567", 1},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.cartella);
    const std::string cartella = cartella_conformita + caso.cartella + "/";
    Modello m = modello_nuovo(caso.genera_linea);
    m.nome_linea = caso.linea;
    m.numero_treno = caso.treno;
    EXPECT_EQ(leggi_linea(m, leggi_file(cartella + caso.linea + "_linea.txt")),
              DopoLinea::leggi_treno);
    EXPECT_EQ(m.codice_errore, 0);
    if (caso.genera_linea != 0) {
      EXPECT_TRUE(codifica_piano(m.planimetria) ==
                  leggi_file(cartella + "expected/" + caso.linea + "_linea.dat"));
    } else {
      EXPECT_FALSE(m.planimetria.esiste());
    }
    const std::string celle =
        leggi_file(cartella + "expected/" + caso.linea + "_" + caso.treno + ".dat");
    ASSERT_EQ(celle.size(), m.celle_percorso.size() * 15);
    for (std::size_t k = 0; k < m.celle_percorso.size(); ++k) {
      EXPECT_EQ(static_cast<std::uint8_t>(celle[k * 15 + 11]), m.celle_percorso[k].montagna) << k;
      EXPECT_EQ(static_cast<std::uint8_t>(celle[k * 15 + 13]), m.celle_percorso[k].pendenza) << k;
    }
  }
}

TEST(LetturaLinea, TerrainEdgesScenario) {
  const Lettura l = leggi(testo_caso("16_terrain_edges"));
  const auto& c = l.m.celle_percorso;
  EXPECT_EQ(l.m.numero_montagne, 8);
  for (int k = 20; k <= 39; ++k) EXPECT_EQ(c[static_cast<std::size_t>(k)].montagna, 2) << k;
  for (int k : {27, 31, 35, 39}) EXPECT_EQ(c[static_cast<std::size_t>(k)].tipo, 11) << k;
  // The text board at 1100 replaces the marker of cell 23.
  EXPECT_EQ(c[23].tipo, 14);
  EXPECT_EQ(c[23].dato1, 80);
  EXPECT_EQ(l.m.tabella_generale[80].nome, "SU MARCATORE");
  EXPECT_EQ(l.m.contatore_cartelli, 79);
  EXPECT_EQ(c[42].montagna, 3);
  EXPECT_EQ(c[63].montagna, 3);  // 3150: exactly 150 m after 3000
  EXPECT_EQ(c[73].montagna, 1);  // 3651: 151 m after 3500
}

}  // namespace
}  // namespace scenari
