#include "core/lettura/lettura_linea.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/formato/formato_binario.h"
#include "core/lettura/campi.h"
#include "support/piano.h"
#include "core/modello/codici.h"
#include "support/codice.h"

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
  CursoreLettura cursore;
  Seguito dopo;
};

Lettura leggi(const std::string& testo, std::int32_t genera_linea = 1) {
  Lettura l{modello_nuovo(genera_linea), CursoreLettura{}, Seguito::arresto};
  l.dopo = leggi_linea(l.m, l.cursore, testo);
  return l;
}


TEST(LetturaLinea, EmbeddedLineGeneralValues) {
  const Lettura l = leggi(testo_caso("01_embedded"));
  EXPECT_EQ(l.dopo, Seguito::continua);
  EXPECT_EQ(l.m.codice_errore(), std::nullopt);
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
  EXPECT_EQ(l.cursore.contatore_cartelli, 80);
  EXPECT_EQ(l.cursore.riga, "[fine]");
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
  const Planimetria p = l.m.planimetria.punti();
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
    CursoreLettura cursore;
    EXPECT_EQ(leggi_linea(m, cursore, leggi_file(cartella + caso.linea + "_linea.txt")),
              Seguito::continua);
    EXPECT_EQ(m.codice_errore(), std::nullopt);
    if (caso.genera_linea != 0) {
      EXPECT_TRUE(test::codifica_piano(m.planimetria.punti()) ==
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
  EXPECT_EQ(l.cursore.numero_montagne, 8);
  for (int k = 20; k <= 39; ++k) EXPECT_EQ(c[static_cast<std::size_t>(k)].montagna, 2) << k;
  for (int k : {27, 31, 35, 39}) EXPECT_EQ(c[static_cast<std::size_t>(k)].tipo, 11) << k;
  // The text board at 1100 replaces the marker of cell 23.
  EXPECT_EQ(c[23].tipo, 14);
  EXPECT_EQ(c[23].dato1, 80);
  EXPECT_EQ(l.m.tabella_generale[80].nome, "SU MARCATORE");
  EXPECT_EQ(l.cursore.contatore_cartelli, 79);
  EXPECT_EQ(c[42].montagna, 3);
  EXPECT_EQ(c[63].montagna, 3);  // 3150: exactly 150 m after 3000
  EXPECT_EQ(c[73].montagna, 1);  // 3651: 151 m after 3500
}

// Every code the reader records, with its position and what follows.
TEST(LetturaLinea, ErrorCodes) {
  struct Caso {
    const char* nome;
    std::string testo;
    Codice codice;
    std::int32_t posizione;  // -1: left unchanged
    Seguito dopo;
  };
  const std::string indicatore = "indicatori_vmax, 1025, 85, 90, 95, 0, 85, 90, 95, 0\r\n";
  const std::vector<Caso> casi = {
      {"no [generale]", "uno,due\r\ntre\r\n", codice::generale_assente, -1, Seguito::arresto},
      {"[generale] is the last field", "prima\r\n[generale]\r\n", codice::generale_assente, -1,
       Seguito::arresto},
      {"route too long", "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n",
       codice::lunghezza_eccessiva, -1, Seguito::arresto},
      {"repetition a", testo_linea("", "ripetizione segnali 4, 120, 100\r\n"),
       codice::ripetizione_primo_valore, -1, Seguito::arresto},
      {"repetition b", testo_linea("", "ripetizione segnali 4, 100, 225\r\n"),
       codice::ripetizione_secondo_valore, -1, Seguito::arresto},
      {"repetition digit", testo_linea("", "ripetizione segnali, 100, 200\r\n"),
       codice::ripetizione_senza_codice, -1, Seguito::arresto},
      {"board beyond the route", testo_linea("cartello indicatore, 13901, X\r\n"),
       codice::oltre_percorso, 13901, Seguito::continua},
      {"gradient beyond", testo_linea("pendenza, 13901, 3\r\n"), codice::oltre_percorso, 13901,
       Seguito::continua},
      {"curve beyond", testo_linea("curvad2, 13901, 1\r\n"), codice::oltre_percorso, 13901,
       Seguito::continua},
      {"terrain beyond", testo_linea("montagna, 13901, 13950, 1\r\n"), codice::oltre_percorso,
       13901, Seguito::continua},
      {"indicator beyond", testo_linea("indicatori_v, 13901, 1, 1, 1, 0, 1, 1, 1, 0\r\n"),
       codice::oltre_percorso, 13901, Seguito::continua},
      {"curve class 7", testo_linea("curvad7, 500, 300\r\n"), codice::curva_non_valida, -1,
       Seguito::arresto},
      {"indicator cell taken", testo_linea(indicatore + indicatore),
       codice::cella_indicatore_occupata, 1025, Seguito::arresto},
      {"board cell taken",
       testo_linea("cartello indicatore, 25, A\r\ncartello indicatore, 75, B\r\n"),
       codice::cella_cartello_occupata, 75, Seguito::arresto},
      {"terrain end beyond", testo_linea("montagna, 13000, 14100, 1\r\n"),
       codice::fine_oltre_percorso, 14100, Seguito::continua},
      {"curve end beyond", testo_linea("curvad2, 13000, 1001\r\n"), codice::fine_oltre_percorso,
       13000, Seguito::continua},
      {"negative gradient", testo_linea("pendenza, -50, 3\r\n"), codice::posizione_negativa, -50,
       Seguito::continua},
      {"negative curve start", testo_linea("curvad2, -5, 100\r\n"), codice::posizione_negativa, -5,
       Seguito::continua},
      {"negative terrain start", testo_linea("montagna, -1, 100, 1\r\n"),
       codice::posizione_negativa, -1, Seguito::continua},
      {"negative terrain end", testo_linea("montagna, 100, -1, 1\r\n"), codice::posizione_negativa,
       -1, Seguito::continua},
      {"negative indicator", testo_linea("indicatori_v, -25, 1, 1, 1, 0, 1, 1, 1, 0\r\n"),
       codice::posizione_negativa, -25, Seguito::continua},
      {"negative board", testo_linea("cartello indicatore, -75, X\r\n"), codice::posizione_negativa,
       -75, Seguito::continua},
      // The refused length leaves the text without one.
      {"negative route length", "[generale]\r\nlunghezza percorso, -1\r\n[fine]\r\n",
       codice::senza_lunghezza, -1, Seguito::arresto},
      {"no route length", "[generale]\r\nsfondo uno, 1\r\n[curve]\r\npendenza, 0, 1\r\n[fine]\r\n",
       codice::senza_lunghezza, -1, Seguito::arresto},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.nome);
    Modello m = modello_nuovo();
    CursoreLettura cursore;
    EXPECT_EQ(leggi_linea(m, cursore, caso.testo), caso.dopo);
    ASSERT_FALSE(m.problemi.empty());
    EXPECT_EQ(m.problemi.back().codice, caso.codice);
    EXPECT_EQ(m.problemi.back().posizione.value_or(-1), caso.posizione);
  }
}

// An entry the model cannot hold is refused alone: it leaves no trace, the
// entries after it are read, and the code of the format stays clear.
TEST(LetturaLinea, ARefusedEntryLeavesTheRestRead) {
  const std::string dopo = "pendenza, 2000, 5\r\ncartello indicatore, 3000, DOPO\r\n";
  const std::string rifiutate[] = {
      "montagna, 13000, 14100, 1\r\n", "curvad2, 13000, 1001\r\n", "pendenza, -50, 3\r\n",
      "curvad2, -5, 100\r\n",          "montagna, 100, -1, 1\r\n",  "cartello indicatore, -75, X\r\n",
      "indicatori_v, -25, 1, 1, 1, 0, 1, 1, 1, 0\r\n"};
  const Lettura riferimento = leggi(testo_linea(dopo));
  for (const std::string& voce : rifiutate) {
    SCOPED_TRACE(voce);
    const Lettura l = leggi(testo_linea(voce + dopo));
    EXPECT_EQ(l.dopo, Seguito::continua);
    EXPECT_EQ(l.m.codice_errore(), std::nullopt);
    ASSERT_EQ(l.m.problemi.size(), 1u);
    EXPECT_TRUE(l.m.problemi[0].errore());
    EXPECT_EQ(l.m.problemi[0].luogo.riga, 4);
    EXPECT_EQ(l.m.celle_percorso, riferimento.m.celle_percorso);
    EXPECT_EQ(l.m.tabella_generale, riferimento.m.tabella_generale);
    EXPECT_EQ(l.m.planimetria, riferimento.m.planimetria);
  }
  // A refused route length leaves the one before it, in the general table as
  // in the cells.
  const Lettura lunghezza = leggi(testo_linea(dopo, "lunghezza percorso, -1\r\n"));
  ASSERT_EQ(lunghezza.m.problemi.size(), 1u);
  EXPECT_EQ(lunghezza.m.problemi[0].codice, codice::posizione_negativa);
  EXPECT_EQ(lunghezza.m.tabella_generale, riferimento.m.tabella_generale);
  EXPECT_EQ(lunghezza.m.celle_percorso, riferimento.m.celle_percorso);
  // A curve of negative length bends nothing and is only worth a warning.
  const Lettura l = leggi(testo_linea("curvad2, 5, -100\r\n" + dopo));
  ASSERT_EQ(l.m.problemi.size(), 1u);
  EXPECT_EQ(l.m.problemi[0].gravita, Gravita::avviso);
  EXPECT_EQ(l.m.planimetria, riferimento.m.planimetria);
}

TEST(LetturaLinea, RecordsTheLineOfTheProblem) {
  Modello m = modello_nuovo();
  CursoreLettura cursore;
  cursore.file_in_lettura = "x_linea.txt";
  leggi_linea(m, cursore, testo_linea("pendenza, 500, 1\r\ncartello indicatore, 25, A\r\n"
                             "cartello indicatore, 75, B\r\n"));
  EXPECT_EQ(m.codice_errore(), codice::cella_cartello_occupata);
  ASSERT_FALSE(m.problemi.empty());
  EXPECT_EQ(m.problemi.back().luogo.file, "x_linea.txt");
  EXPECT_EQ(m.problemi.back().luogo.riga, 6);
  EXPECT_EQ(cursore.riga, "B");
}

TEST(LetturaLinea, ValuesStoredBeforeARefusalStay) {
  Lettura l = leggi("[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n");
  EXPECT_EQ(l.m.tabella_generale[84].valore2, 1000001);
  EXPECT_FALSE(l.m.celle_create());
  l = leggi(testo_linea("", "ripetizione segnali 4, 100, 225\r\n"));
  EXPECT_EQ(l.m.tabella_generale[86].valore1, 100);
  EXPECT_EQ(l.m.tabella_generale[86].valore2, 225);
}

TEST(LetturaLinea, ReadFailuresThrow) {
  const std::vector<std::string> testi = {
      "",
      // A run of comment fields in the general section reaching the end.
      "[generale]\r\n-a\r\n-b\r\n",
      testo_linea("pendenza, abc, 3\r\n"),
      "[generale]\r\nlunghezza percorso, 7000\r\n[curve]\r\npendenza, 500",
      testo_linea("indicatori_v, 100, 1, 1, 1, 40000, 1, 1, 1, 0\r\n"),
      // A board text longer than the 16-bit name length of the general file.
      testo_linea("cartello indicatore, 900, " + std::string(65536, 'x') + "\r\n"),
  };
  for (const std::string& testo : testi) {
    Modello m = modello_nuovo();
    CursoreLettura cursore;
    EXPECT_THROW(leggi_linea(m, cursore, testo), ErroreLettura) << testo;
  }
}

TEST(LetturaLinea, PackedSpeedBeyondSixteenBitsFailsAfterEarlierMembers) {
  Modello m = modello_nuovo();
  CursoreLettura cursore;
  try {
    leggi_linea(m, cursore, testo_linea("indicatori_v, 100, 80, 2000, 1, 0, 80, 1, 1, 0\r\n"));
    ADD_FAILURE() << "no read failure";
  } catch (const ErroreLettura& e) {
    EXPECT_EQ(e.tratto().inizio, 24) << "on the speed that takes its packed value past 16 bits";
    EXPECT_EQ(e.tratto().fine, 28);
  }
  const cella& c = m.celle_percorso[3];
  EXPECT_EQ(c.tipo, 6);
  EXPECT_EQ(c.dato1, 1616);
  EXPECT_EQ(c.dato2, 0);
}

TEST(LetturaLinea, SignalRepetitionCodes) {
  struct Caso {
    const char* campo;
    const char* valori;
    std::int32_t codice;
  };
  for (const Caso& caso : std::vector<Caso>{{"ripetizione segnali 4 codici", "0    ,0", 0},
                                            {"ripetizione segnali 4 codici", "100, 200", 4},
                                            {"ripetizione segnali 9 codici", "100, 200", 9},
                                            {"ripetizione segnali 49", "100, 200", 4},
                                            {"ripetizione segnali 9", "100, 0", 0}}) {
    const Lettura l =
        leggi(testo_linea("", std::string(caso.campo) + ", " + caso.valori + "\r\n"));
    EXPECT_EQ(l.m.codice_errore(), std::nullopt) << caso.campo;
    EXPECT_EQ(l.m.tabella_generale[86].valore3, caso.codice) << caso.campo << caso.valori;
  }
}

TEST(LetturaLinea, RouteLengths) {
  struct Caso {
    const char* lunghezza;
    std::int32_t totale;
    std::int32_t celle;
  };
  for (const Caso& caso : std::vector<Caso>{{"LUNGHEZZA PERCORSO, 7025", 14025, 280},
                                            {"lunghezza percorso, 7075", 14075, 282},
                                            {"lunghezza percorso, 0", 7000, 140},
                                            {"lunghezza percorso, 1000000", 1007000, 20140}}) {
    const Lettura l = leggi("[generale]\r\n" + std::string(caso.lunghezza) + "\r\n[curve]\r\n[fine]\r\n");
    EXPECT_EQ(l.dopo, Seguito::continua) << caso.lunghezza;
    EXPECT_EQ(l.m.lunghezza_totale, caso.totale) << caso.lunghezza;
    EXPECT_EQ(l.m.numero_celle, caso.celle) << caso.lunghezza;
    EXPECT_EQ(l.m.planimetria.ultimo_metro(), caso.totale) << caso.lunghezza;
  }
}

TEST(LetturaLinea, RepeatedRouteLengthRecreatesCellsAndPlan) {
  const Lettura l = leggi("[generale]\r\nlunghezza percorso, 100000\r\nlunghezza percorso, 7000\r\n"
                          "[curve]\r\n[fine]\r\n");
  EXPECT_EQ(l.m.numero_celle, 280);
  EXPECT_EQ(l.m.celle_percorso.size(), 281u);
  EXPECT_EQ(l.m.planimetria.ultimo_metro(), 14000);
}

TEST(LetturaLinea, FieldRulesOfTheReader) {
  // Capitalised progressive keywords are not recognised; their values are
  // passed over.
  Lettura l = leggi(testo_linea("", "Progressiva chilometrica uno, 999, 999, 1\r\n"));
  EXPECT_EQ(l.m.codice_errore(), std::nullopt);
  EXPECT_EQ(l.m.tabella_generale[83], voce_tabella{});
  // A keyword field starting with two hyphens is skipped, the next one taken.
  l = leggi(testo_linea("--nota\r\ncartello indicatore, 25, A\r\n"));
  EXPECT_EQ(l.m.celle_percorso[2].tipo, 14);
  // The last field of the text is never processed.
  l = leggi(testo_linea("") + "cartello indicatore");
  EXPECT_EQ(l.m.codice_errore(), std::nullopt);
  EXPECT_EQ(l.cursore.riga, "cartello indicatore");
  // The general section may end at the end of the text: the body is empty.
  l = leggi("[generale]\r\nlunghezza percorso, 7000\r\n[fine]");
  EXPECT_EQ(l.dopo, Seguito::continua);
  EXPECT_EQ(l.m.celle_percorso[277].pendenza, 100);
  // Quoted fields keep their commas; a quoted keyword is still a keyword.
  l = leggi(testo_caso("11_quoted_fields"));
  EXPECT_EQ(l.m.tabella_generale[80].nome, "BIVIO, KM 2");
  EXPECT_EQ(l.m.celle_percorso[41].tipo, 14);
  EXPECT_EQ(l.m.celle_percorso[130].pendenza, 103);
}

TEST(LetturaLinea, BoardAndGradientCells) {
  Lettura l = leggi(testo_linea("cartello indicatore, 25, A\r\ncartello indicatore, 175, B\r\n"
                                "cartello indicatore, 13900, C\r\n"));
  EXPECT_EQ(l.m.codice_errore(), std::nullopt);
  EXPECT_EQ(l.m.celle_percorso[2].dato1, 80);
  EXPECT_EQ(l.m.celle_percorso[4].dato1, 79);
  EXPECT_EQ(l.m.celle_percorso[279].dato1, 78);
  EXPECT_EQ(l.m.tabella_generale[78].nome, "C");
  EXPECT_EQ(l.cursore.contatore_cartelli, 77);
  // A gradient at 25 fills no cell (nearest(0.5) = 0) but sets the value.
  l = leggi(testo_linea("pendenza, 25, 5\r\npendenza, 100, -3\r\n"));
  EXPECT_EQ(l.m.celle_percorso[0].pendenza, 105);
  EXPECT_EQ(l.m.celle_percorso[1].pendenza, 105);
  EXPECT_EQ(l.m.celle_percorso[2].pendenza, 97);
  EXPECT_EQ(l.m.celle_percorso[277].pendenza, 97);
  EXPECT_EQ(l.m.celle_percorso[278].pendenza, 0);
}

TEST(LetturaLinea, GradientLinesNearTheEndStayInTheCells) {
  std::string corpo;
  for (int i = 0; i < 10; ++i) corpo += "pendenza, 13900, " + std::to_string(i) + "\r\n";
  const Lettura l = leggi(testo_linea(corpo));
  EXPECT_EQ(l.m.codice_errore(), std::nullopt);
  EXPECT_EQ(l.m.celle_percorso[277].pendenza, 100);
  EXPECT_EQ(l.m.celle_percorso[278].pendenza, 100);
  EXPECT_EQ(l.m.celle_percorso[279].pendenza, 101);
  EXPECT_EQ(l.m.celle_percorso[280].pendenza, 102);
}

TEST(LetturaLinea, TooManyTerrainStretchesAndBoards) {
  std::string montagne;
  for (int i = 0; i < 81; ++i) montagne += "montagna, " + std::to_string(i * 100) + ", 50, 1\r\n";
  Lettura l = leggi(testo_linea(montagne));
  EXPECT_EQ(l.m.problemi.back().codice, codice::troppe_montagne);
  EXPECT_EQ(l.m.problemi.back().posizione, 8000);
  EXPECT_EQ(l.cursore.numero_montagne, 80);

  std::string cartelli;
  for (int i = 0; i < 81; ++i) cartelli += "cartello indicatore, " + std::to_string(i * 100) + ", T\r\n";
  l = leggi(testo_linea(cartelli));
  EXPECT_EQ(l.m.problemi.back().codice, codice::troppi_cartelli);
  EXPECT_EQ(l.m.problemi.back().posizione, 8000);
  EXPECT_EQ(l.cursore.contatore_cartelli, 0);
  EXPECT_EQ(l.m.tabella_generale[1].nome, "T");
  EXPECT_EQ(l.m.tabella_generale[0], voce_tabella{});
  EXPECT_EQ(l.m.celle_percorso[161].tipo, 0);
}

TEST(LetturaLinea, PlanOnlyWhenWanted) {
  const Lettura l = leggi(testo_caso("22_route_7075_no_plan"), 0);
  EXPECT_FALSE(l.m.planimetria.esiste());
  EXPECT_EQ(l.m.numero_celle, 282);
  EXPECT_EQ(l.m.celle_percorso[10].pendenza, 93);
}

TEST(LetturaLinea, PlanIndexLimit) {
  const Lettura l = leggi("[generale]\r\nlunghezza percorso, 1000000\r\n[curve]\r\n"
                          "curvad1, 999000, 5000\r\n[fine]\r\n");
  EXPECT_EQ(l.m.codice_errore(), codice::curva_non_valida);
  EXPECT_EQ(l.dopo, Seguito::arresto);
}

// The plan file is written straight from the runs; it must hold the same
// bytes as the points drawn one by one, and a curve may stop at the limit.
TEST(Tracciato, CurvesAndFill) {
  Tracciato tracciato;
  tracciato.crea(2000);
  tracciato.inizia();
  ASSERT_TRUE(tracciato.curva(100, 600, 0.003));
  EXPECT_EQ(tracciato.metro(), 701);
  // A curve ending behind the index changes nothing.
  ASSERT_TRUE(tracciato.curva(200, 300, -0.003));
  EXPECT_EQ(tracciato.metro(), 701);
  Planimetria piano = tracciato.punti();
  EXPECT_EQ(std::get<double>(piano.y(100)), 100.0);
  EXPECT_EQ(std::get<double>(piano.x(100)), 0.0);
  EXPECT_GT(std::get<double>(piano.x(700)), 0.0);  // right-hand: towards +x
  EXPECT_TRUE(std::holds_alternative<std::monostate>(piano.x(701)));
  tracciato.completa();
  EXPECT_EQ(tracciato.metro(), 1999);
  piano = tracciato.punti();
  EXPECT_TRUE(std::holds_alternative<double>(piano.x(1998)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(piano.x(1999)));
  EXPECT_EQ(decodifica_planimetria(codifica_planimetria(tracciato)), piano);

  Tracciato lungo;
  lungo.crea(Tracciato::metro_massimo + 5000);
  lungo.inizia();
  EXPECT_FALSE(lungo.curva(Tracciato::metro_massimo - 10, 100, 0.001));
  EXPECT_EQ(lungo.metro(), Tracciato::metro_massimo + 1);

  Tracciato senza_piano;
  EXPECT_TRUE(senza_piano.curva(100, 600, 0.003));
  EXPECT_EQ(codifica_planimetria(senza_piano), "");
}

TEST(ProgressiveOrdina, OrderAndAdjustment) {
  using T = std::array<std::int32_t, 3>;
  struct Caso {
    T tre, due, uno;
    T r81, r82, r83;
  };
  const std::vector<Caso> casi = {
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{300, 31, 0}, {200, 22, 1}, {100, 13, 2}, {300, 31, 0}, {200, 122, 1}, {100, 13, 2}},
      {{100, 11, 0}, {200, 22, 0}, {300, 33, 0}, {300, 33, 0}, {200, 22, 0}, {100, 11, 0}},
      {{200, 21, 0}, {100, 12, 0}, {300, 33, 0}, {300, 33, 0}, {200, 21, 0}, {100, 12, 0}},
      {{300, 31, 0}, {300, 32, 0}, {100, 13, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{300, 31, 0}, {100, 12, 0}, {100, 13, 0}, {300, 31, 0}, {100, 13, 0}, {100, 12, 0}},
      {{100, 50, 1}, {0, 0, 0}, {0, 0, 0}, {100, 150, 1}, {0, 0, 0}, {0, 0, 0}},
      {{0, 5, 1}, {0, 6, 2}, {0, 7, 1}, {0, 107, 1}, {0, 6, 2}, {0, 105, 1}},
      {{0, 0, 7}, {0, 6, 1}, {0, 0, 8}, {0, 106, 1}, {0, 0, 7}, {0, 0, 8}},
      {{5, 0, 0}, {-5, 0, 0}, {0, 9, 0}, {0, 9, 0}, {-5, 0, 0}, {5, 0, 0}},
      {{2147483647, 2147483600, 1}, {0, 0, 0}, {0, 0, 0}, {2147483647, -2147483596, 1}, {0, 0, 0},
       {0, 0, 0}},
  };
  auto scrivi = [](voce_tabella& v, const T& t) { v.valore1 = t[0]; v.valore2 = t[1]; v.valore3 = t[2]; };
  auto leggi_terna = [](const voce_tabella& v) { return T{v.valore1, v.valore2, v.valore3}; };
  for (std::size_t i = 0; i < casi.size(); ++i) {
    const Caso& c = casi[i];
    Modello m;
    scrivi(m.tabella_generale[81], c.tre);
    scrivi(m.tabella_generale[82], c.due);
    scrivi(m.tabella_generale[83], c.uno);
    CursoreLettura cursore;
    progressive_ordina(m, cursore);
    EXPECT_EQ(leggi_terna(m.tabella_generale[81]), c.r81) << i;
    EXPECT_EQ(leggi_terna(m.tabella_generale[82]), c.r82) << i;
    EXPECT_EQ(leggi_terna(m.tabella_generale[83]), c.r83) << i;
  }
}

TEST(ProgressiveOrdina, ReferenceScenario) {
  const Lettura l = leggi(testo_caso("23_progressives_code2"));
  const auto& t = l.m.tabella_generale;
  EXPECT_EQ((std::vector{t[81].valore1, t[81].valore2, t[81].valore3}), (std::vector{300, 125, 1}));
  EXPECT_EQ((std::vector{t[82].valore1, t[82].valore2, t[82].valore3}), (std::vector{200, 100, 1}));
  EXPECT_EQ((std::vector{t[83].valore1, t[83].valore2, t[83].valore3}), (std::vector{100, 50, 0}));
}

Modello con_montagne(const std::vector<Montagna>& montagne) {
  Modello m = modello_nuovo();
  m.crea_percorso(7000);
  CursoreLettura cursore;
  for (Montagna mt : montagne) memo_montagna(m, cursore, mt);
  return m;
}

std::vector<int> celle_con_montagna(const Modello& m, int tipo) {
  std::vector<int> celle;
  for (std::size_t k = 0; k < m.celle_percorso.size(); ++k) {
    if (m.celle_percorso[k].montagna == tipo) celle.push_back(static_cast<int>(k));
  }
  return celle;
}

std::vector<int> intervallo(int da, int a) {
  std::vector<int> v;
  for (int k = da; k <= a; ++k) v.push_back(k);
  return v;
}

TEST(MemoMontagna, StretchesAndMarkers) {
  struct Caso {
    std::vector<Montagna> montagne;
    int tipo;
    std::vector<int> celle;
  };
  const std::vector<Caso> casi = {
      {{{1000, 2000, 12}}, 2, intervallo(20, 39)},
      {{{1000, 2000, 12}, {2100, 3000, 1}}, 3, intervallo(42, 59)},
      {{{1000, 2000, 2}, {2150, 3000, 1}}, 3, intervallo(43, 59)},
      {{{1000, 2000, 2}, {2151, 3000, 1}}, 1, intervallo(43, 59)},
      {{{1025, 2075, 1}}, 1, intervallo(20, 40)},
      {{{1000, 1040, 4}}, 4, {20}},
      {{{1000, 1000, 4}}, 4, {}},
      {{{1000, 1000, 4}, {1100, 1500, 1}}, 3, intervallo(22, 29)},
      {{{1000, 1200, 13}}, 3, intervallo(20, 23)},
      {{{1000, 1200, 10}}, 10, intervallo(20, 23)},
  };
  for (std::size_t i = 0; i < casi.size(); ++i) {
    const Modello m = con_montagne(casi[i].montagne);
    EXPECT_EQ(celle_con_montagna(m, casi[i].tipo), casi[i].celle) << i;
  }
}

TEST(MemoMontagna, MarkersOnlyOnEmptyCells) {
  Modello m = modello_nuovo();
  m.crea_percorso(7000);
  m.celle_percorso[27].tipo = 6;
  Montagna stretto{1000, 2000, 12};
  CursoreLettura cursore;
  memo_montagna(m, cursore, stretto);
  EXPECT_EQ(stretto.tipo, 2);
  std::vector<int> marcatori;
  for (int k = 0; k <= 280; ++k) {
    if (m.celle_percorso[static_cast<std::size_t>(k)].tipo == 11) marcatori.push_back(k);
  }
  EXPECT_EQ(marcatori, (std::vector{23, 31, 35, 39}));
  EXPECT_EQ(m.celle_percorso[27].tipo, 6);
  EXPECT_EQ(cursore.inizio_montagna[1], 1000);
  EXPECT_EQ(cursore.fine_montagna[1], 2000);
  // Types 10 and 13: no markers for 10, markers for 13.
  m = con_montagne({{5000, 6000, 10}});
  EXPECT_EQ(m.celle_percorso[103].tipo, 0);
  m = con_montagne({{5000, 6000, 13}});
  EXPECT_EQ(m.celle_percorso[103].tipo, 11);
}

TEST(MemoIndicatori, PackedValues) {
  struct Caso {
    IndicatoreVMax i;
    std::size_t cella;
    std::vector<int> dati;
  };
  const std::vector<Caso> casi = {
      {{1050, 85, 90, 95, 0, 85, 90, 95, 0}, 22, {1717, 1818, 1919, 0}},
      {{3500, 80, 85, 90, 0, 80, 85, 90, 0}, 71, {1616, 1717, 1818, 0}},
      {{1025, 80, 80, 0, 2, 87, 88, 0, 1}, 22, {1617, 1618, 0, 21}},
      {{1075, 0, 0, 0, 3277, 0, 0, 0, 0}, 22, {0, 0, 0, -32766}},
      {{25, -5, 0, 0, 0, -3, 0, 0, 0}, 2, {-101, 0, 0, 0}},
  };
  for (Caso c : casi) {
    Modello m = modello_nuovo();
    m.crea_percorso(7000);
    m.celle_percorso[c.cella].tipo = 11;
    EXPECT_TRUE(memo_indicatori_v_max(m, c.i));
    const cella& r = m.celle_percorso[c.cella];
    EXPECT_EQ(r.tipo, 6);
    EXPECT_EQ((std::vector<int>{r.dato1, r.dato2, r.dato3, r.dato4}), c.dati) << c.i.posizione;
  }
}

}  // namespace
}  // namespace scenari
