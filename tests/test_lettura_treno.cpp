#include "core/lettura/lettura_treno.h"
#include "core/modello/codici.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lettura/campi.h"
#include "support/codice.h"

namespace scenari {
namespace {

// The train description of the embedded scenario, as its writer produces it.
const char* const treno_incorporato =
    "[generale]\r\n"
    "numero vetture,    6\r\n"
    "percentuale massa frenata,    120\r\n"
    "sabbia,    0\r\n"
    "orologio,    7               59            47 \r\n"
    "[aderenze]\r\n"
    "aderenza,   0,    100\r\n"
    "aderenza,    2000,    75\r\n"
    "aderenza,    3500,    72\r\n"
    "aderenza,    4000,    80\r\n"
    "[vel_limite]\r\n"
    "velocita,       0,    30\r\n"
    "velocita,    1000,    90\r\n"
    "velocita,    3300,    30\r\n"
    "[stazioni]\r\n"
    "stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   0, 0, 0, LAGO FONTANA\r\n"
    "stazione,    4500,  2,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   8, 9, 0, LAGO MARINELLA\r\n"
    "[rallentamenti]\r\n"
    "[segnali]\r\n"
    "segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0\r\n"
    "segnale,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0\r\n"
    "segnale,    3450,   2, 2, 3,  0, 0,    0,  0,0,0, 0\r\n"
    "[codici]\r\n"
    "[fine]\r\n";

// A model as the line reader leaves it for a 7000 m route: cells 0 to 280.
Modello percorso() {
  Modello m;
  m.crea_percorso(7000);
  return m;
}

// The train reader on `t`, with the cursor as the line reader left it.
void leggi_testo(Modello& m, std::string_view t, CursoreLettura cursore = CursoreLettura()) {
  leggi_treno(m, cursore, t);
}

// A train text holding the given entries, one per line.
std::string testo(const std::vector<std::string>& voci) {
  std::string t = "[generale]\r\n";
  for (const auto& v : voci) t += v + "\r\n";
  return t + "[fine]\r\n";
}

Modello leggi(const std::vector<std::string>& voci) {
  Modello m = percorso();
  leggi_testo(m, testo(voci));
  return m;
}

const cella& c(const Modello& m, int i) { return m.celle_percorso[static_cast<std::size_t>(i)]; }

TEST(LetturaTreno, EmbeddedTrainValuesAndProfiles) {
  Modello m = percorso();
  leggi_testo(m, treno_incorporato);
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(m.tabella_generale[84].valore1, 120);
  EXPECT_EQ(m.tabella_generale[84].valore3, 6);
  EXPECT_EQ(m.tabella_generale[86].intero1, 0);
  EXPECT_EQ(m.tabella_generale[86].intero3, 7);
  EXPECT_EQ(m.tabella_generale[86].intero4, 59);
  EXPECT_EQ(m.tabella_generale[86].intero5, 47);
  for (int i = 0; i <= 280; ++i) {
    const int velocita = i <= 19 ? 6 : i <= 65 ? 18 : i <= 277 ? 6 : 0;
    const int aderenza = i <= 39 ? 100 : i <= 69 ? 75 : i <= 79 ? 72 : i <= 277 ? 80 : 0;
    EXPECT_EQ(c(m, i).velocita_limite, velocita) << i;
    EXPECT_EQ(c(m, i).aderenza, aderenza) << i;
  }
}

TEST(LetturaTreno, EmbeddedSignals) {
  Modello m = percorso();
  leggi_testo(m, treno_incorporato);
  struct Atteso {
    int cella, dato1, dato2, dato3;
  };
  for (const Atteso& a : {Atteso{21, 50, 10, 10}, Atteso{47, 30, 10, 0}, Atteso{70, 20, 30, 0}}) {
    EXPECT_EQ(c(m, a.cella).tipo, 1) << a.cella;
    EXPECT_EQ(c(m, a.cella).dato1, a.dato1) << a.cella;
    EXPECT_EQ(c(m, a.cella).dato2, a.dato2) << a.cella;
    EXPECT_EQ(c(m, a.cella).dato3, a.dato3) << a.cella;
    EXPECT_EQ(c(m, a.cella).dato4, 6) << a.cella;
    EXPECT_EQ(c(m, a.cella).tempo_segnale, 0) << a.cella;
  }
  // Approach cells every 100 m back from each signal, nearest first.
  const std::vector<std::pair<int, int>> avvicinamenti = {
      {19, 61}, {17, 62}, {15, 63}, {13, 64}, {45, 61}, {43, 62},
      {41, 63}, {39, 64}, {68, 61}, {66, 62}, {64, 63}, {62, 64}};
  for (const auto& [i, valore] : avvicinamenti) EXPECT_EQ(c(m, i).avvicinamento, valore) << i;
}

TEST(LetturaTreno, EmbeddedStations) {
  Modello m = percorso();
  leggi_testo(m, treno_incorporato);
  const voce_tabella& uno = m.tabella_generale[1];
  EXPECT_EQ(uno.nome, "LAGO FONTANA");
  EXPECT_EQ(uno.tipo, 8);
  EXPECT_EQ(uno.valore1, -500);
  EXPECT_EQ(uno.valore2, 500);
  EXPECT_EQ(uno.valore3, 0);
  EXPECT_EQ(uno.valore4, 0);
  EXPECT_EQ(uno.byte3, 0);
  EXPECT_EQ(uno.byte4, 0);
  EXPECT_EQ(uno.intero1, 1);
  EXPECT_EQ(uno.intero2, 1);
  EXPECT_EQ(uno.byte1, 0);
  EXPECT_EQ(uno.intero3, 4);
  EXPECT_EQ(uno.intero4, 1);
  EXPECT_EQ(uno.intero5, 1);
  EXPECT_EQ(uno.byte2, 1);
  const voce_tabella& due = m.tabella_generale[2];
  EXPECT_EQ(due.nome, "LAGO MARINELLA");
  EXPECT_EQ(due.tipo, 2);
  EXPECT_EQ(due.opzione, 1);
  EXPECT_EQ(due.valore1, 4200);
  EXPECT_EQ(due.valore2, 4850);
  EXPECT_EQ(due.valore3, 4500);
  EXPECT_EQ(due.valore4, 29340);
  EXPECT_EQ(due.byte3, 1);
  EXPECT_EQ(due.byte4, 0);
  EXPECT_EQ(due.byte2, 0);
  EXPECT_EQ(c(m, 9).tipo, 10);
  EXPECT_EQ(c(m, 9).dato1, 1);
  EXPECT_EQ(c(m, 96).tipo, 10);
  EXPECT_EQ(c(m, 96).dato1, 2);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(c(m, 9 - k).avvicinamento, 80 + k);
    EXPECT_EQ(c(m, 96 - k).avvicinamento, 80 + k);
  }
  EXPECT_EQ(m.tabella_generale[3], voce_tabella{});
}

TEST(LetturaTreno, KeywordsAndFieldRules) {
  Modello m = leggi({"NUMERO VETTURE, 9", "massa, 77", "percentuale massa frenata, 130"});
  EXPECT_EQ(m.tabella_generale[84].valore3, 9);
  EXPECT_EQ(m.tabella_generale[84].valore1, 130);
  EXPECT_EQ(m.codice_errore(), std::nullopt);

  // Up to two dash fields are passed over; a third is the keyword field.
  m = leggi({"-,-,sabbia, 3"});
  EXPECT_EQ(m.tabella_generale[86].intero1, 3);
  m = leggi({"-,-,sabbia-, 3"});
  EXPECT_EQ(m.tabella_generale[86].intero1, 3);
  m = leggi({"-,sabbia-, 3"});
  EXPECT_EQ(m.tabella_generale[86].intero1, 0);

  // Nothing before [generale] counts; a text without it only completes.
  m = percorso();
  leggi_testo(m, "sabbia, 4\r\nvelocita, 1000, 90\r\n");
  EXPECT_EQ(m.tabella_generale[86].intero1, 0);
  EXPECT_EQ(c(m, 30).velocita_limite, 0);
  EXPECT_EQ(m.codice_errore(), std::nullopt);

  // The last field of the text is never acted on.
  m = percorso();
  leggi_testo(m, "[generale]\r\nsabbia, 5\r\nsabbia");
  EXPECT_EQ(m.tabella_generale[86].intero1, 5);
}

TEST(LetturaTreno, ProfileValues) {
  Modello m = leggi({"velocita, 0, 73", "aderenza, 0, 300", "velocita, 100, 72"});
  EXPECT_EQ(c(m, 0).velocita_limite, 15);
  EXPECT_EQ(c(m, 1).velocita_limite, 15);
  EXPECT_EQ(c(m, 2).velocita_limite, 14);
  EXPECT_EQ(c(m, 0).aderenza, 44);
  // Before the first entry both profiles are 0.
  m = leggi({"velocita, 500, 90", "aderenza, 500, 80"});
  EXPECT_EQ(c(m, 9).velocita_limite, 0);
  EXPECT_EQ(c(m, 10).velocita_limite, 18);
  EXPECT_EQ(c(m, 9).aderenza, 0);
  EXPECT_EQ(c(m, 10).aderenza, 80);
}

TEST(LetturaTreno, RepeatedProfileEntriesStayInsideTheCells) {
  std::vector<std::string> voci;
  for (int i = 0; i < 400; ++i) {
    voci.push_back("velocita, 6900, 100");
    voci.push_back("aderenza, 6900, 90");
  }
  Modello m = leggi(voci);
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(m.celle_percorso.size(), 281u);
  EXPECT_EQ(c(m, 279).velocita_limite, 20);
  // The entries stop at the last cell, which the completion then fills once.
  EXPECT_EQ(c(m, 280).velocita_limite, 20);
  EXPECT_EQ(c(m, 280).aderenza, 90);
}

TEST(LetturaTreno, ReadFailuresThrow) {
  const std::vector<std::vector<std::string>> casi = {
      {"velocita, 0, 1300", "velocita, 100, 30"},  // 260 units of 5 km/h
      {"velocita, 0, -3"},                         // fifth rounds to -1, filled at the end
      {"stazione, 0, 256, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, X"},
      {"orologio, 7, 59, 40000"},
      {"stazione, 0, 8, 500, 0,0,0, 1,1,0, 4,1,1, 1, 999999, 0, 0, X"},
      {"segnale, 1000, 2, 5"},  // runs past the end of the text
      // A station name longer than the 16-bit name length of the general file.
      {"stazione, 0, 8, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, " + std::string(65536, 'N')},
  };
  for (const auto& voci : casi) {
    Modello m = percorso();
    EXPECT_THROW(leggi_testo(m, testo(voci)), ErroreLettura) << voci.front();
  }
  Modello vuoto;
  EXPECT_THROW(leggi_testo(vuoto, treno_incorporato), ErroreLettura);
}

struct CasoErrore {
  std::vector<std::string> voci;
  Codice codice;
  int posizione;
  bool completato;  // the profiles were completed after the stop
};

TEST(LetturaTreno, ErrorCodesAndPositions) {
  const std::string stazione_uno = "stazione, 0, 8, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A";
  const std::vector<CasoErrore> casi = {
      {{"velocita, 0, 50", "velocita, 13901, 90"}, codice::oltre_percorso, 13901, true},
      {{"velocita, 0, 50", "aderenza, 13901, 90"}, codice::oltre_percorso, 13901, true},
      {{"velocita, 0, 50", "segnale, 13950, 2,5,1,1,0,0,0,0,0,0"}, codice::oltre_percorso, 13950,
       true},
      {{"velocita, 0, 50", "rallentamento, 13950, 30, 0, 0, 0, 0"}, codice::oltre_percorso, 13950,
       true},
      {{"velocita, 0, 50", "abbattimento, 13901, 0"}, codice::oltre_percorso, 13901, true},
      {{"velocita, 0, 50", "stazione, 13201, 2"}, codice::oltre_percorso, 13201, true},
      {{"velocita, 0, 50", "segnale, 1000, 2,5,1,1,0,0,0,0,0,0", "abbattimento, 1050, 5"},
       codice::cella_abbattimento_occupata, 1050, false},
      {{"velocita, 0, 50", "segnale, 1000, 2,5,1,1,0,0,0,0,0,0",
        "segnale, 1020, 2,5,1,1,0,0,0,0,0,0"},
       codice::cella_segnale_occupata, 1020, false},
      {{"velocita, 0, 50", "stazione, 4525, 2, 600, 1, 0, 1, 1,1,0, 2,1,1, 0, 8, 9, 0, B"},
       codice::stazione_non_multipla, 4525, false},
      {{"velocita, 0, 50", "stazione, 4500, 2, 550, 1, 0, 1, 1,1,0, 2,1,1, 0, 8, 9, 0, B"},
       codice::marciapiede_non_multiplo, 4500, false},
      {{"velocita, 0, 50", stazione_uno,
        "stazione, 800, 2, 200, 1, 0, 0, 1,1,0, 2,1,1, 0, 8, 9, 0, B"},
       codice::marciapiedi_vicini, 800, false},
  };
  for (const auto& caso : casi) {
    Modello m = leggi(caso.voci);
    EXPECT_EQ(m.codice_errore(), caso.codice) << caso.voci.back();
    EXPECT_EQ(m.posizione_errore(), caso.posizione) << caso.voci.back();
    EXPECT_EQ(c(m, 100).velocita_limite, caso.completato ? 10 : 0) << caso.voci.back();
  }
}

TEST(LetturaTreno, ErrorLineIsThatOfTheEntry) {
  Modello m = percorso();
  leggi_testo(m, "[generale]\r\norologio,    7   59   47 \r\nabbattimento, 99999, 0\r\n[fine]\r\n");
  EXPECT_EQ(m.codice_errore(), codice::oltre_percorso);
  ASSERT_FALSE(m.problemi.empty());
  EXPECT_EQ(m.problemi.back().luogo.riga, 3);
}

TEST(LetturaTreno, StationStopCellTooNearTheStartAndRecordCapacity) {
  Modello m = leggi({"stazione, 0, 2, 200, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A"});
  EXPECT_EQ(m.codice_errore(), codice::fermata_in_partenza);  // platform end 100: stop cell 1
  EXPECT_EQ(m.posizione_errore(), 0);

  m = percorso();
  CursoreLettura cartelli;
  cartelli.contatore_cartelli = 3;  // records 4 to 80 hold text boards
  leggi_testo(m,
              testo({"stazione, 0, 8, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A",
                     "stazione, 2000, 30, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, B", "sabbia, 7"}),
              cartelli);
  EXPECT_EQ(m.codice_errore(), codice::troppe_stazioni);
  EXPECT_EQ(m.tabella_generale[2].nome, "B");
  EXPECT_EQ(m.tabella_generale[86].intero1, 0);

  // Every text board record taken: no station may overwrite one.
  m = percorso();
  cartelli.contatore_cartelli = 0;
  m.tabella_generale[1].nome = "CARTELLO";
  leggi_testo(m, testo({"stazione, 1000, 30, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, B"}), cartelli);
  EXPECT_EQ(m.codice_errore(), codice::troppe_stazioni);
  EXPECT_EQ(m.tabella_generale[1].nome, "CARTELLO");
}

TEST(LetturaTreno, StationPlatformsByType) {
  struct Caso {
    std::string voce;
    int inizio, fine, fermata;
    bool avvicinamento;
  };
  const std::vector<Caso> casi = {
      {"stazione, 1000, 5, 400, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A", 600, 1150, 22, false},
      {"stazione, 1000, 7, 300, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A", 700, 1300, 25, true},
      {"stazione, 1000, 2, 300, 0,0,1, 1,1,0, 4,1,1, 1, 0,0,0, A", 850, 1200, 23, true},
      {"stazione, 1000, 2, 300, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A", 850, 1150, 22, true},
  };
  for (const auto& caso : casi) {
    Modello m = leggi({caso.voce});
    const voce_tabella& voce = m.tabella_generale[1];
    EXPECT_EQ(voce.valore1, caso.inizio) << caso.voce;
    EXPECT_EQ(voce.valore2, caso.fine) << caso.voce;
    EXPECT_EQ(voce.byte3, 0) << caso.voce;
    EXPECT_EQ(c(m, caso.fermata).tipo, 10) << caso.voce;
    EXPECT_EQ(c(m, caso.fermata - 1).avvicinamento, caso.avvicinamento ? 81 : 0) << caso.voce;
    EXPECT_EQ(c(m, caso.fermata - 4).avvicinamento, caso.avvicinamento ? 84 : 0) << caso.voce;
  }

  // Type 30 fills its record only; a stop cell replaces a signal.
  Modello m = leggi({"segnale, 1100, 2,5,1,1,0,0,0,0,0,0",
                     "stazione, 1000, 30, 300, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A",
                     "stazione, 2000, 8, 300, 0,1,1, 1,1,0, 4,1,1, 1, 0,0,0, B"});
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(m.tabella_generale[1].valore2, 1150);
  EXPECT_EQ(c(m, 22).tipo, 0);
  EXPECT_EQ(c(m, 23).tipo, 1);
  m = leggi({"segnale, 1100, 2,5,1,1,0,0,0,0,0,0",
             "stazione, 1000, 2, 300, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A"});
  EXPECT_EQ(c(m, 22).tipo, 10);
  EXPECT_EQ(c(m, 22).dato1, 1);
}

TEST(LetturaTreno, SecondStationKeepsItsFlags) {
  Modello m = leggi({"stazione, 0, 8, 500, 0,1,1, 1,1,0, 4,1,1, 1, 0,0,0, A",
                     "stazione, 3000, 2, 600, 0,1,1, 1,1,0, 4,1,1, 1, 0,0,0, B",
                     "stazione, 6000, 2, 500, 0,1,1, 1,1,0, 4,1,1, 1, 0,0,0, C"});
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(m.tabella_generale[2].byte3, 1);
  EXPECT_EQ(m.tabella_generale[2].byte4, 1);
  EXPECT_EQ(m.tabella_generale[3].byte4, 0);  // platform under 600 m
  EXPECT_EQ(m.tabella_generale[3].valore2, 6300);
}

TEST(MemoSegnale, CellsAndValues) {
  struct Caso {
    int posizione, sx, rapp, dx, tempo;
    int cella, dato4, tempo_segnale, primo_avvicinamento;
  };
  const std::vector<Caso> casi = {
      {1025, 2, 0, 0, 0, 22, 6, 0, 61},     {1075, 2, 0, 0, 0, 22, 6, 0, 61},
      {1000, 2, 0, 0, 50, 21, 6, 101, 61},  {1000, 2, 0, 0, 150, 21, 6, 150, 61},
      {1000, 2, 0, 0, 300, 21, 6, 44, 61},  {1000, 1, 0, 0, 50, 21, 3, 0, 31},
      {1000, 1, 4, 2, 0, 21, 45, 0, 51},    {1000, 2, 0, 2, 0, 21, 8, 0, 81},
  };
  for (const auto& caso : casi) {
    Modello m = percorso();
    memo_segnale(m, Segnale{caso.posizione, caso.sx, 1, 2, 3, caso.rapp, caso.dx, 0, 0, 0,
                            caso.tempo});
    const cella& segnale = c(m, caso.cella);
    EXPECT_EQ(segnale.tipo, 1) << caso.posizione;
    EXPECT_EQ(segnale.dato4, caso.dato4) << caso.posizione;
    EXPECT_EQ(segnale.tempo_segnale, caso.tempo_segnale) << caso.tempo;
    EXPECT_EQ(c(m, caso.cella - 2).avvicinamento, caso.primo_avvicinamento);
    EXPECT_EQ(c(m, caso.cella - 8).avvicinamento, caso.primo_avvicinamento + 3);
  }
}

TEST(MemoSegnale, TakenCellsAndNeighbours) {
  Modello m = leggi({"segnale, 1000, 2,5,1,1,0,0,0,0,0,0", "segnale, 1100, 1,5,1,1,0,0,0,0,0,0"});
  EXPECT_EQ(c(m, 21).tipo, 1);
  EXPECT_EQ(c(m, 21).avvicinamento, 31);  // the second signal's approach code
  EXPECT_EQ(c(m, 19).avvicinamento, 32);
  EXPECT_EQ(c(m, 13).avvicinamento, 64);

  m = percorso();
  m.celle_percorso[21].tipo = 11;
  leggi_testo(m, testo({"segnale, 1000, 2,5,1,1,0,0,0,0,0,0"}));
  EXPECT_EQ(c(m, 21).tipo, 1);
  m = percorso();
  m.celle_percorso[21].tipo = 10;
  leggi_testo(m, testo({"segnale, 1000, 2,5,1,1,0,0,0,0,0,0"}));
  EXPECT_EQ(m.codice_errore(), codice::cella_segnale_occupata);
  EXPECT_EQ(c(m, 21).tipo, 10);
  EXPECT_EQ(c(m, 19).avvicinamento, 0);
}

// The slowdown entry of the worked example, with `d_v` as given.
std::string rallentamento(int x, int l, int f_ta, int d_v) {
  return "rallentamento, " + std::to_string(x) + ", 30, " + std::to_string(l) + ", 1, " +
         std::to_string(f_ta) + ", " + std::to_string(d_v);
}

TEST(MemoRallentamento, WorkedExample) {
  for (int d_v : {0, 2}) {
    Modello m = leggi({rallentamento(3000, 500, 1, d_v)});
    EXPECT_EQ(m.codice_errore(), std::nullopt);
    const std::vector<std::tuple<int, int, int, int, int>> celle = {
        {37, 4, 30, d_v, 0}, {61, 3, 30, d_v, 1}, {71, 2, 30, d_v, 1},
        {36, 5, 1, d_v ? 1 : 0, 0}, {35, 5, 2, d_v ? 2 : 0, 0},
        {34, 5, 3, d_v ? 3 : 0, 0}, {33, 5, 4, d_v ? 4 : 0, 0}};
    for (const auto& [i, tipo, dato1, dato2, dato3] : celle) {
      EXPECT_EQ(c(m, i).tipo, tipo) << i;
      EXPECT_EQ(c(m, i).dato1, dato1) << i;
      EXPECT_EQ(c(m, i).dato2, dato2) << i << " d_v " << d_v;
      EXPECT_EQ(c(m, i).dato3, dato3) << i;
    }
    EXPECT_EQ(c(m, 32).tipo, 0);
  }
}

TEST(MemoRallentamento, BoardNearTheStart) {
  Modello m = leggi({rallentamento(1500, 500, 1, 0)});
  EXPECT_EQ(c(m, 31).tipo, 3);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(c(m, i).tipo, 0) << i;

  m = leggi({rallentamento(1550, 500, 1, 0)});
  EXPECT_EQ(c(m, 8).tipo, 4);
  for (int i = 4; i <= 7; ++i) EXPECT_EQ(c(m, i).tipo, 5) << i;

  m = leggi({rallentamento(1825, 500, 1, 0)});
  EXPECT_EQ(c(m, 14).tipo, 4);
  EXPECT_EQ(c(m, 13).tipo, 0);
  EXPECT_EQ(c(m, 12).dato1, 1);
  EXPECT_EQ(c(m, 9).dato1, 4);
}

TEST(MemoRallentamento, TakenCells) {
  struct Caso {
    int cella_presa;
    Codice codice;
    bool scritto;  // start, end and board cells were written
  };
  for (const Caso& caso : {Caso{37, codice::cella_avviso_occupata, false},
                           Caso{61, codice::cella_inizio_occupata, false},
                           Caso{71, codice::cella_fine_occupata, false},
                           Caso{34, codice::cella_preavviso_occupata, true}}) {
    Modello m = percorso();
    m.celle_percorso[static_cast<std::size_t>(caso.cella_presa)].tipo = 1;
    leggi_testo(m, testo({"velocita, 0, 50", rallentamento(3000, 500, 1, 0)}));
    EXPECT_EQ(m.codice_errore(), caso.codice);
    EXPECT_EQ(m.posizione_errore(), 3000);
    int segnati = 0;
    for (const cella& k : m.celle_percorso) segnati += k.tipo >= 2 && k.tipo <= 5;
    EXPECT_EQ(segnati, caso.scritto ? 3 : 0) << caso.cella_presa;
    EXPECT_EQ(c(m, 36).tipo, 0) << caso.cella_presa;
    EXPECT_EQ(c(m, 100).velocita_limite, 0) << "no completion after a stop";
  }
  Modello m = percorso();
  m.celle_percorso[61].tipo = 11;
  leggi_testo(m, testo({rallentamento(3000, 500, 0, 0)}));
  EXPECT_EQ(c(m, 61).tipo, 3);
}

TEST(LetturaTreno, CodeLeftByTheLineReaderStopsAtTheFirstSignal) {
  Modello m = percorso();
  m.registra_errore(codice::oltre_percorso, 99999, Luogo{"x_linea.txt", 7, 1});
  CursoreLettura cursore;
  cursore.file_in_lettura = "x-.txt";
  leggi_testo(m, treno_incorporato, cursore);
  EXPECT_EQ(m.codice_errore(), codice::oltre_percorso);
  EXPECT_EQ(m.posizione_errore(), 1000);
  ASSERT_EQ(m.problemi.size(), 2u);
  EXPECT_EQ(m.problemi[1].luogo.file, "x-.txt");
  ASSERT_EQ(m.problemi[1].note.size(), 1u);
  EXPECT_EQ(m.problemi[1].note[0].luogo, (Luogo{"x_linea.txt", 7, 1}));
  EXPECT_EQ(c(m, 21).tipo, 1);
  EXPECT_EQ(c(m, 47).tipo, 0);
  EXPECT_EQ(c(m, 100).velocita_limite, 0);

  // Entries refused on their own have no effect, also after such a code:
  // the reading stops at the signal that follows them, as without them.
  for (const std::string& rifiutata : {rallentamento(13000, 1000, 0, 0),
                                      std::string("segnale, -50, 2,1,1,1,0,0,0,0,0,0")}) {
    SCOPED_TRACE(rifiutata);
    m = percorso();
    m.registra_errore(codice::oltre_percorso, 99999, Luogo{"x_linea.txt", 7, 1});
    leggi_testo(m, testo({rifiutata, "segnale, 1000, 2,5,1,1,0,0,0,0,0,0", "sabbia, 2"}), cursore);
    EXPECT_EQ(m.problemi.back().codice, codice::oltre_percorso);
    EXPECT_EQ(m.problemi.back().luogo.riga, 3);
    EXPECT_EQ(m.posizione_errore(), 1000);
    EXPECT_EQ(c(m, 21).tipo, 1);
    EXPECT_EQ(m.tabella_generale[86].intero1, 0);
  }

  m = percorso();
  m.registra_errore(codice::ripetizione_primo_valore, std::nullopt, Luogo{});
  leggi_testo(m, testo({rallentamento(3000, 500, 0, 0), "sabbia, 2"}));
  EXPECT_EQ(m.posizione_errore(), 3000);
  EXPECT_EQ(m.tabella_generale[86].intero1, 0);
}

TEST(LetturaTreno, ProgressivesNotMultipleOf50) {
  for (int record : {81, 82, 83}) {
    Modello m = percorso();
    m.tabella_generale[static_cast<std::size_t>(record)].valore2 = 1025;
    m.registra_errore(codice::oltre_percorso, 7, Luogo{});
    leggi_testo(m, "[generale]\r\n[fine]\r\n");
    EXPECT_EQ(m.codice_errore(), codice::progressiva_non_multipla);
    EXPECT_EQ(m.posizione_errore(), 7);
  }
  Modello tutte = percorso();
  for (int record : {81, 82, 83}) tutte.tabella_generale[static_cast<std::size_t>(record)].valore1 = 25;
  leggi_testo(tutte, "[generale]\r\n[fine]\r\n");
  EXPECT_EQ(tutte.problemi.size(), 1u) << "one problem however many records are wrong";

  Modello m = percorso();
  m.tabella_generale[81].valore3 = 1025;  // the third value is not checked
  leggi_testo(m, treno_incorporato);
  EXPECT_EQ(m.codice_errore(), std::nullopt);
}

// An entry the model cannot hold is refused alone: no trace of it, the
// entries after it read, and the code of the format left clear.
TEST(LetturaTreno, RefusedEntriesLeaveTheRestRead) {
  const std::string tipo_altro = ", 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A";
  const std::vector<CasoErrore> casi = {
      {{"velocita, -50, 30"}, codice::posizione_negativa, -50, false},
      {{"aderenza, -1, 30"}, codice::posizione_negativa, -1, false},
      {{"segnale, -1000, 2,5,1,1,0,0,0,0,0,0"}, codice::posizione_negativa, -1000, false},
      {{rallentamento(-3000, 500, 1, 0)}, codice::posizione_negativa, -3000, false},
      {{"abbattimento, -50, 3"}, codice::posizione_negativa, -50, false},
      {{"stazione, -500, 2, 300, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, STAZIONE"},
       codice::posizione_negativa, -500, false},
      {{rallentamento(13000, 1000, 0, 0)}, codice::rallentamento_fuori, 13000, false},
      {{rallentamento(3000, 0, 1, 0)}, codice::rallentamento_corto, 3000, false},
      {{rallentamento(3000, 20, 1, 0)}, codice::rallentamento_corto, 3000, false},
      {{rallentamento(3000, -2000, 1, 0)}, codice::rallentamento_corto, 3000, false},
      {{rallentamento(3000, 2147483647, 1, 0)}, codice::rallentamento_fuori, 3000, false},
      {{"stazione, 13200, 8, 900" + tipo_altro}, codice::marciapiede_fuori, 13200, false},
      {{"stazione, 13200, 2, 1800" + tipo_altro}, codice::marciapiede_fuori, 13200, false},
  };
  const std::vector<std::string> dopo = {"sabbia, 3", "segnale, 5000, 2,5,1,1,0,0,0,0,0,0",
                                         "stazione, 6000, 8, 500" + tipo_altro};
  const Modello riferimento = leggi(dopo);
  for (const auto& caso : casi) {
    SCOPED_TRACE(caso.voci.front());
    std::vector<std::string> voci = caso.voci;
    voci.insert(voci.end(), dopo.begin(), dopo.end());
    const Modello m = leggi(voci);
    EXPECT_EQ(m.codice_errore(), std::nullopt);
    ASSERT_EQ(m.problemi.size(), 1u);
    EXPECT_EQ(m.problemi[0].codice, caso.codice);
    EXPECT_EQ(m.problemi[0].posizione, caso.posizione);
    EXPECT_EQ(m.problemi[0].luogo.riga, 2);
    EXPECT_EQ(m.celle_percorso, riferimento.celle_percorso);
    EXPECT_EQ(m.tabella_generale, riferimento.tabella_generale);
  }
  // A field holding several keywords goes on with the tests after the one
  // refused, each reading its own values.
  Modello piu = leggi({"segnale abbattimento, -50, 2,1,1,1,0,0,0,0,0,0, 3000, 5", "sabbia, 3"});
  ASSERT_EQ(piu.problemi.size(), 1u);
  EXPECT_EQ(piu.problemi[0].codice, codice::posizione_negativa);
  EXPECT_EQ(c(piu, 60).tipo, tipo_cella::abbattimento_con_valore);
  EXPECT_EQ(c(piu, 60).dato1, 5);
  EXPECT_EQ(piu.tabella_generale[86].intero1, 3);
  piu = leggi({"segnale stazione, -50, 2,1,1,1,0,0,0,0,0,0, 6000, 8, 500" + tipo_altro +
                   " NORD",
               "sabbia, 3"});
  ASSERT_EQ(piu.problemi.size(), 1u);
  EXPECT_EQ(piu.tabella_generale[1].nome, "A NORD");
  EXPECT_EQ(piu.tabella_generale[86].intero1, 3);

  // The limits themselves are accepted.
  Modello m = leggi({"segnale, 325, 2,5,1,1,0,0,0,0,0,0", rallentamento(12000, 1950, 0, 0),
                     "stazione, 13200, 8, 800" + tipo_altro});
  EXPECT_TRUE(m.problemi.empty());
  EXPECT_EQ(c(m, 8).tipo, 1);
  EXPECT_EQ(c(m, 0).avvicinamento, 64);
  EXPECT_EQ(c(m, 280).tipo, 2);
  EXPECT_EQ(c(m, 279).tipo, 10);
  // Stations that mark no cells may have their platform anywhere.
  m = leggi({"stazione, 12000, 30, 90000" + tipo_altro});
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(m.tabella_generale[1].valore2, 57000);
}

// Reading on for checking, a station that stops the reading before its name
// is passed over whole: its name is no keyword and the next line is read.
TEST(LetturaTreno, StationsStoppingBeforeTheirNameArePassedOverWhole) {
  const std::string resto = ", 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, SEGNALE NORD";
  struct Caso {
    std::string voce;
    std::int32_t contatore_cartelli;
    Codice codice;
  };
  for (const Caso& caso : {Caso{"stazione, 5525, 2, 600" + resto, 80, codice::stazione_non_multipla},
                           Caso{"stazione, 5500, 2, 650" + resto, 80, codice::marciapiede_non_multiplo},
                           Caso{"stazione, 5500, 2, 600" + resto, 0, codice::troppe_stazioni},
                           Caso{"stazione, 5525, 2, 600, 0,999", 80, codice::stazione_non_multipla}}) {
    SCOPED_TRACE(caso.voce);
    Modello m = percorso();
    CursoreLettura cursore(true);
    cursore.contatore_cartelli = caso.contatore_cartelli;
    leggi_testo(m, testo({caso.voce, "segnale, 5000, 2,5,1,1,0,0,0,0,0,0", "sabbia, 3"}), cursore);
    ASSERT_EQ(m.problemi.size(), 1u) << m.problemi.back().messaggio;
    EXPECT_EQ(m.problemi[0].codice, caso.codice);
    EXPECT_EQ(c(m, 101).tipo, tipo_cella::segnale);
    EXPECT_EQ(m.tabella_generale[86].intero1, 3);
  }
}

// A signal near the start keeps the approach marks that lie on the route;
// the others are named in a warning and the rest of the text is read.
TEST(LetturaTreno, SignalNearTheStartIsPlacedWithoutTheMarksBeforeIt) {
  const Modello m = leggi({"segnale, 200, 2,5,1,1,0,0,0,0,0,0", "sabbia, 3"});
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(c(m, 5).tipo, 1);
  EXPECT_EQ(c(m, 3).avvicinamento, 61);
  EXPECT_EQ(c(m, 1).avvicinamento, 62);
  EXPECT_EQ(m.tabella_generale[86].intero1, 3);
  ASSERT_EQ(m.problemi.size(), 1u);
  EXPECT_EQ(m.problemi[0].gravita, Gravita::avviso);
  EXPECT_EQ(m.problemi[0].controllo, "approach-before-start");
  EXPECT_NE(m.problemi[0].messaggio.find("marks 3, 4"), std::string::npos)
      << m.problemi[0].messaggio;
}

TEST(LetturaTreno, HostileValuesStayInsideTheArrays) {
  const std::vector<std::vector<std::string>> casi = {
      {"segnale, 2147483647, 2,5,1,1,0,0,0,0,0,0"},
      {"segnale, 13800, 2147483647, 2147483647, -2147483648, 1, 2147483647, 2147483647, 1,1,1,"
       " -2147483648"},
      {rallentamento(13800, -2147483648, 1, 1)},
      {"abbattimento, 13800, 2147483647"},
      {"stazione, 13000, 7, -2147483600" + std::string(", 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A")},
      {"velocita, 2147483647, 1"},
      {"stazione, 0, 2, 2000, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, A",
       "stazione, 5000, 2, -2000, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, B"},
  };
  for (const auto& voci : casi) {
    Modello m = percorso();
    try {
      leggi_testo(m, testo(voci));
    } catch (const ErroreLettura&) {
    }
    EXPECT_EQ(m.celle_percorso.size(), 281u) << voci.front();
  }
}

}  // namespace
}  // namespace scenari
