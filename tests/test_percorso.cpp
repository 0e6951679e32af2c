#include "core/percorso/percorso.h"

#include "core/percorso/compattazione.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/formato/formato_binario.h"
#include "support/ausili.h"
#include "support/codice.h"
#include "support/piano.h"

namespace scenari {
namespace {

// ---- protection pass -------------------------------------------------------

struct Oggetto {
  std::int32_t cella;
  std::uint8_t tipo;
  std::int16_t dato1 = 0;
};

constexpr std::uint8_t segnale = 1, fine = 2, inizio = 3, cartello = 4, fermata = 10,
                       terreno = 11, punto = 12;

Modello percorso_con(std::int32_t ultima, const std::vector<Oggetto>& oggetti) {
  Modello m;
  m.numero_celle = ultima;
  m.celle_percorso.assign(static_cast<std::size_t>(ultima) + 1, cella{});
  for (const auto& o : oggetti) {
    m.celle_percorso[static_cast<std::size_t>(o.cella)].tipo = o.tipo;
    m.celle_percorso[static_cast<std::size_t>(o.cella)].dato1 = o.dato1;
  }
  return m;
}

std::set<std::int32_t> celle_marcate(const Modello& m, const std::vector<Oggetto>& prima) {
  std::set<std::int32_t> gia_punti;
  for (const auto& o : prima) {
    if (o.tipo == punto) gia_punti.insert(o.cella);
  }
  std::set<std::int32_t> marcate;
  for (std::size_t k = 0; k < m.celle_percorso.size(); ++k) {
    const auto& c = m.celle_percorso[k];
    if (c.tipo == punto && !gia_punti.contains(static_cast<std::int32_t>(k))) {
      EXPECT_EQ(c.dato1, 180) << "cell " << k;
      marcate.insert(static_cast<std::int32_t>(k));
    }
  }
  return marcate;
}

struct CasoProtezione {
  const char* nome;
  std::int32_t ultima;
  std::vector<Oggetto> oggetti;
  std::set<std::int32_t> marcate;
  std::optional<Codice> codice = std::nullopt;
  std::int32_t posizione = 0;
};

// The case's name, where test listings would show its bytes.
void PrintTo(const CasoProtezione& caso, std::ostream* os) { *os << caso.nome; }

const std::vector<Oggetto> esempio = {
    {20, segnale}, {26, cartello}, {50, inizio, 60}, {70, fine}};

std::vector<Oggetto> con(std::vector<Oggetto> base, const std::vector<Oggetto>& altri) {
  base.insert(base.end(), altri.begin(), altri.end());
  return base;
}

const CasoProtezione casi_protezione[] = {
    {"worked example", 200, esempio, {19, 32, 39, 45, 58, 66}},
    {"terrain markers count as free", 200,
     con(esempio, {{19, terreno}, {45, terreno}}), {19, 32, 39, 45, 58, 66}},
    {"signal falls back to the second cell before it", 200, con(esempio, {{19, fermata}}),
     {18, 32, 39, 45, 58, 66}},
    {"no room before the signal: code 11", 200,
     con(esempio, {{19, fermata}, {18, fermata}}), {32, 39, 45, 58, 66},
     codice::protezione_segnale, 1000},
    {"no room in the 5-7 group: code 12", 200,
     con(esempio, {{45, fermata}, {44, fermata}, {43, fermata}}), {19, 32, 39, 58, 66},
     codice::protezione_prima_rallentamento, 2500},
    {"group takes its second cell", 200, con(esempio, {{45, fermata}}),
     {19, 32, 39, 44, 58, 66}},
    {"inside point one cell earlier shifts the next", 200, con(esempio, {{58, fermata}}),
     {19, 32, 39, 45, 57, 65}},
    {"inside point one cell later shifts the next", 200,
     con(esempio, {{58, fermata}, {57, fermata}}), {19, 32, 39, 45, 59, 67}},
    {"no room inside: code 13 and no further inside points", 200,
     con(esempio, {{57, fermata}, {58, fermata}, {59, fermata}}), {19, 32, 39, 45},
     codice::protezione_dopo_rallentamento, 2900},
    {"signal after the end is protected", 200, con(esempio, {{75, segnale}}),
     {19, 32, 39, 45, 58, 66, 74}},
    {"signal after the end falls back one cell", 200,
     con(esempio, {{75, segnale}, {74, fermata}}), {19, 32, 39, 45, 58, 66, 73}},
    {"no room before the signal after the end: code 13 at the end", 200,
     con(esempio, {{75, segnale}, {74, fermata}, {73, fermata}}), {19, 32, 39, 45, 58, 66},
     codice::protezione_dopo_rallentamento, 3500},
    {"signal 12 cells after the end", 200, con(esempio, {{82, segnale}}),
     {19, 32, 39, 45, 58, 66, 81}},
    {"signal 13 cells after the end", 200, con(esempio, {{83, segnale}}),
     {19, 32, 39, 45, 58, 66}},
    {"signal 20 cells before a board", 200, {{20, segnale}, {40, cartello}}, {19}},
    {"signal 21 cells before a board", 200, {{20, segnale}, {41, cartello}}, {}},
    {"every signal before a board", 200,
     {{20, segnale}, {30, segnale}, {35, cartello}}, {19, 29}},
    {"board at 10 looks down to cell 3", 200, {{3, segnale}, {10, cartello}}, {2}},
    {"board at 10 does not look at cell 2", 200, {{2, segnale}, {10, cartello}}, {}},
    {"start at cell 7: no points before it", 200, {{7, inizio, 200}, {30, fine}}, {}},
    {"start at cell 8: one group", 200, {{8, inizio, 200}, {30, fine}}, {3}},
    {"start at cell 8 may mark cell 1", 200,
     {{3, fermata}, {2, fermata}, {8, inizio, 200}, {30, fine}}, {1}},
    {"start at cell 14: two groups", 200, {{14, inizio, 200}, {30, fine}}, {9, 3}},
    {"start at cell 21: three groups", 200, {{21, inizio, 200}, {40, fine}}, {16, 10, 3}},
    {"slowdown at 110: no inside points", 200, {{50, inizio, 110}, {70, fine}}, {32, 39, 45}},
    {"slowdown at 109: inside points", 200, {{50, inizio, 109}, {70, fine}},
     {32, 39, 45, 58, 66}},
    {"end 7 cells after the start: no inside point", 200, {{50, inizio, 60}, {57, fine}},
     {32, 39, 45}},
    {"end 8 cells after the start: point before the end", 200,
     {{50, inizio, 60}, {58, fine}}, {32, 39, 45, 57}},
    {"start without an end cell", 200, {{197, inizio, 60}}, {179, 186, 192}},
    {"end on the last cell, nothing free around it", 100,
     {{92, inizio, 60}, {99, fermata}, {100, fine}}, {74, 81, 87},
     codice::protezione_dopo_rallentamento, 5000},
    {"signal search stops at the last cell", 100,
     {{80, inizio, 200}, {95, fine}, {100, segnale}}, {62, 69, 75, 99}},
};

class Protezione : public testing::TestWithParam<CasoProtezione> {};

TEST_P(Protezione, MarksTheExpectedCells) {
  const CasoProtezione& caso = GetParam();
  Modello m = percorso_con(caso.ultima, caso.oggetti);
  passo_protezione(m);
  EXPECT_EQ(celle_marcate(m, caso.oggetti), caso.marcate);
  EXPECT_EQ(m.codice_errore(), caso.codice);
  EXPECT_EQ(m.posizione_errore(), caso.posizione);
}

INSTANTIATE_TEST_SUITE_P(Casi, Protezione, testing::ValuesIn(casi_protezione),
                         [](const testing::TestParamInfo<CasoProtezione>& info) {
                           std::string nome;
                           for (const char* c = info.param.nome; *c; ++c) {
                             nome += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           }
                           return nome;
                         });

TEST(Protezione, ExistingPointBeforeASignalIsCappedAt180) {
  for (const auto& [valore, atteso] : {std::pair<int, int>{200, 180}, {150, 150}}) {
    Modello m = percorso_con(100, {{19, punto, static_cast<std::int16_t>(valore)},
                                   {18, fermata},
                                   {20, segnale},
                                   {26, cartello}});
    passo_protezione(m);
    EXPECT_EQ(m.celle_percorso[19].dato1, atteso);
    EXPECT_EQ(m.codice_errore(), std::nullopt);
  }
}

TEST(Protezione, TouchesNoOtherMember) {
  Modello m = percorso_con(200, esempio);
  m.celle_percorso[19].pendenza = 93;
  m.celle_percorso[19].velocita_limite = 18;
  m.celle_percorso[19].avvicinamento = 61;
  passo_protezione(m);
  EXPECT_EQ(m.celle_percorso[19].pendenza, 93);
  EXPECT_EQ(m.celle_percorso[19].velocita_limite, 18);
  EXPECT_EQ(m.celle_percorso[19].avvicinamento, 61);
}

TEST(Protezione, TinyRoutesStayInBounds) {
  for (std::int32_t ultima = 0; ultima < 12; ++ultima) {
    std::vector<Oggetto> oggetti;
    for (std::int32_t k = 0; k <= ultima; ++k) {
      oggetti.push_back({k, static_cast<std::uint8_t>(k % 2 == 0 ? inizio : cartello), 60});
    }
    Modello m = percorso_con(ultima, oggetti);
    passo_protezione(m);
    EXPECT_EQ(m.celle_percorso.size(), static_cast<std::size_t>(ultima) + 1);
  }
}

// ---- start record ----------------------------------------------------------

Modello con_nomi(const std::string& treno, const std::string& linea) {
  Modello m = percorso_con(280, {});
  m.tabella_generale[86].nome = treno;
  m.tabella_generale[85].nome = linea;
  return m;
}

TEST(CodiciPartenza, KeyTable) {
  struct Caso {
    std::string treno, linea;
    std::int32_t og, st;
  };
  const Caso casi[] = {
      {"40572", "Lago Fontana_Lago Marinella", 2204, 30703},
      {"1", "ab", 2496, 33703},
      {"", "", 2583, 34355},
      {"40572", "LAGO FONTANA_LAGO MARINELLA", 2204, 30703},
      {"40572", "Lago Fontana_Lago MaXXXXXXXXX", 2204, 30703},
  };
  for (const auto& caso : casi) {
    const Modello m = con_nomi(caso.treno, caso.linea);
    EXPECT_EQ(codice_gara_og(m), caso.og) << caso.treno << "/" << caso.linea;
    EXPECT_EQ(codice_gara_st(m), caso.st) << caso.treno << "/" << caso.linea;
  }
}

TEST(CodiciPartenza, HighCharactersCountAsUnsignedBytes) {
  const Modello m = con_nomi("", std::string(25, '\xE0'));
  EXPECT_EQ(codice_gara_og(m), 25 * 0xE0);
  const Modello maiuscole = con_nomi("", std::string(25, '\xC0'));
  EXPECT_EQ(codice_gara_og(maiuscole), 25 * 0xE0);
}

TEST(CodiciPartenza, StampsCellOneAndRecord85) {
  Modello m = con_nomi("40572", "Lago Fontana_Lago Marinella");
  m.celle_percorso[1].tipo = terreno;
  codici_partenza(m);
  EXPECT_EQ(m.celle_percorso[1].tipo, terreno);
  EXPECT_EQ(m.celle_percorso[1].dato1, 5121);
  EXPECT_EQ(m.celle_percorso[1].dato2, 2204);
  EXPECT_EQ(m.tabella_generale[85].intero1, 610);
  EXPECT_EQ(m.tabella_generale[85].valore4, 30703);
}

TEST(CodiciPartenza, TakenPlacesAreFatal) {
  struct Caso {
    void (*prepara)(Modello&);
    Codice codice;
  };
  const Caso casi[] = {
      {[](Modello& m) { m.celle_percorso[1].dato1 = 1; }, codice::partenza_primo_valore},
      {[](Modello& m) { m.tabella_generale[85].intero1 = -1; }, codice::partenza_primo_valore},
      {[](Modello& m) { m.celle_percorso[1].dato2 = 7; }, codice::partenza_secondo_valore},
      {[](Modello& m) { m.tabella_generale[85].valore4 = 9; }, codice::partenza_secondo_valore},
  };
  for (const auto& caso : casi) {
    Modello m = con_nomi("1", "ab");
    caso.prepara(m);
    EXPECT_EQ(codici_partenza(m), caso.codice);
  }
}

// ---- binary layouts --------------------------------------------------------

std::string byte(std::initializer_list<int> valori) {
  std::string s;
  for (int v : valori) s.push_back(static_cast<char>(v));
  return s;
}

TEST(FormatoBinario, CellsArePacked15Bytes) {
  std::vector<cella> celle(22);
  celle[1] = cella{0, 5121, 2204, 0, 0, 0, 0, 0, 0, 0, 0};
  celle[21] = cella{1, 50, 10, 10, 6, 0, 0, 0, 18, 93, 100};
  const std::string file = codifica_celle(celle);
  ASSERT_EQ(file.size(), 22u * 15);
  EXPECT_EQ(file.substr(15, 5), byte({0x00, 0x01, 0x14, 0x9C, 0x08}));
  EXPECT_EQ(file.substr(315, 15), byte({0x01, 0x32, 0x00, 0x0A, 0x00, 0x0A, 0x00, 0x06, 0x00,
                                        0x00, 0x00, 0x00, 0x12, 0x5D, 0x64}));
  EXPECT_EQ(decodifica_celle(file), celle);
  EXPECT_EQ(descrivi_offset_celle(316), "cell 21, dato1");
  EXPECT_EQ(descrivi_offset_celle(15 * 3 + 14), "cell 3, aderenza");
}

TEST(FormatoBinario, NegativeValuesAreTwosComplement) {
  std::vector<cella> celle(1);
  celle[0].dato4 = -2;
  EXPECT_EQ(codifica_celle(celle).substr(7, 2), byte({0xFE, 0xFF}));
  std::array<voce_tabella, numero_voci> tabella{};
  tabella[0].valore1 = -2;
  EXPECT_EQ(codifica_tabella(tabella).substr(1, 4), byte({0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(FormatoBinario, GeneralRecordsCarryTheirNames) {
  std::array<voce_tabella, numero_voci> tabella{};
  tabella[1].nome = "LAGO FONTANA";
  tabella[2].nome = "LAGO MARINELLA";
  tabella[85].nome = "Lago Fontana_Lago Marinella";
  tabella[85].intero1 = 610;
  tabella[85].valore4 = 30703;
  tabella[86].nome = "40572";
  tabella[86].intero5 = 47;
  const std::string file = codifica_tabella(tabella);
  ASSERT_EQ(file.size(), 3016u);
  EXPECT_EQ(file.substr(0, 34), std::string(34, '\0'));
  const std::size_t r85 = 85 * 34 + 12 + 14;
  EXPECT_EQ(file.substr(r85 + 14, 2), byte({27, 0}));
  EXPECT_EQ(file.substr(r85 + 16, 27), "Lago Fontana_Lago Marinella");
  EXPECT_EQ(file.substr(r85 + 16 + 27, 2), byte({0x62, 0x02}));
  EXPECT_EQ(file.substr(r85 + 30 + 27, 4), byte({0xEF, 0x77, 0x00, 0x00}));
  EXPECT_EQ(decodifica_tabella(file), tabella);
  EXPECT_EQ(descrivi_offset_tabella(file, r85 + 16 + 27), "record 85, intero1");
  EXPECT_EQ(descrivi_offset_tabella(file, r85 + 17), "record 85, nome character 2");
  EXPECT_EQ(descrivi_offset_tabella(file, r85 + 14), "record 85, nome (length)");
  EXPECT_EQ(descrivi_offset_tabella(file, r85 + 60), "record 85, valore4");
  EXPECT_EQ(descrivi_offset_tabella(file, 34 + 5), "record 1, valore2");
}

TEST(FormatoBinario, NameTooLongForItsCountIsRefused) {
  std::array<voce_tabella, numero_voci> tabella{};
  tabella[80].nome.assign(70000, 'x');
  EXPECT_THROW(codifica_tabella(tabella), FormatoNonValido);
}

// A straight plan with the route's layout: two integer points, the computed
// points, two empty ones at the end.
Tracciato piano_come_il_percorso(std::int32_t ultimo) {
  Tracciato t;
  t.crea(ultimo);
  t.inizia();
  t.completa();
  return t;
}

TEST(FormatoBinario, PlanElementsAreTagged) {
  const Tracciato p = piano_come_il_percorso(14000);
  // The y half's first piece, short so that it ends at a piece boundary,
  // comes before the x half's first: the string is filled out of order.
  const std::string file = codifica_planimetria(p);
  ASSERT_EQ(dimensione_planimetria(p), file.size());
  ASSERT_EQ(file.size(), 279964u);
  EXPECT_TRUE(file == test::codifica_piano(p.punti()));
  EXPECT_EQ(file.substr(0, 4), byte({2, 0, 0, 0}));
  EXPECT_EQ(file.substr(139982, 8), byte({2, 0, 0, 0, 2, 0, 1, 0}));
  EXPECT_EQ(file.substr(139978, 4), byte({0, 0, 0, 0}));  // x of the last two points
  double d = 0;
  ASSERT_EQ(file.substr(8, 2), byte({5, 0}));
  std::memcpy(&d, file.data() + 10, 8);
  EXPECT_EQ(d, 0.0);
  std::memcpy(&d, file.data() + 139982 + 10, 8);
  EXPECT_EQ(d, 2.0);
  const Planimetria letta = decodifica_planimetria(file);
  EXPECT_EQ(letta.ultimo_metro(), 14000);
  EXPECT_EQ(letta, p.punti());
  EXPECT_EQ(descrivi_offset_planimetria(file, 11), "point 2, x value");
  EXPECT_EQ(descrivi_offset_planimetria(file, 139982 + 6), "point 1, y value");
  EXPECT_EQ(descrivi_offset_planimetria(file, 139980), "point 14000, x tag");
}

TEST(FormatoBinario, DecodersRefuseBytesThatDoNotFit) {
  std::array<voce_tabella, numero_voci> tabella{};
  const std::string sim = codifica_tabella(tabella);
  const std::string piano = codifica_planimetria(piano_come_il_percorso(10));
  const std::vector<std::function<void()>> rifiuti = {
      [] { decodifica_celle(""); },
      [] { decodifica_celle(std::string(16, '\0')); },
      [&] { decodifica_tabella(sim.substr(0, sim.size() - 1)); },
      [&] { decodifica_tabella(sim + '\0'); },
      [&] { decodifica_tabella(byte({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF})); },
      [] { decodifica_planimetria(""); },
      [] { decodifica_planimetria(byte({0, 0})); },
      [] { decodifica_planimetria(byte({7, 0, 0, 0})); },
      [] { decodifica_planimetria(byte({5, 0, 1, 2, 3})); },
      [&] { decodifica_planimetria(piano.substr(0, piano.size() - 1)); },
  };
  for (std::size_t k = 0; k < rifiuti.size(); ++k) {
    EXPECT_THROW(rifiuti[k](), FormatoNonValido) << "case " << k;
  }
}


// ---- the whole builder, in memory -----------------------------------------

namespace fs = std::filesystem;
using test::read_file;

const fs::path embedded =
    fs::path(SCENARI_TEST_DATA).parent_path() / "conformance" / "01_embedded";

struct Costruito {
  Compattazione c;
  std::vector<std::string> nomi;
  std::vector<std::string> byte;
};

Costruito costruisci(const std::string& linea, const std::string& treno, bool piano = true) {
  Costruito r{compatta(Scenario{"Lago Fontana_Lago Marinella", "40572", piano},
                       TestiDescrizione{linea, treno}),
              {},
              {}};
  for (const FileBinario& f : r.c.file()) {
    r.nomi.push_back(f.nome);
    r.byte.push_back(byte_di(f));
    EXPECT_EQ(r.byte.back().size(), f.dimensione) << f.nome;
  }
  return r;
}

Costruito incorporato(bool piano = true) {
  return costruisci(read_file(embedded / "Lago Fontana_Lago Marinella_linea.txt"),
                    read_file(embedded / "Lago Fontana_Lago Marinella_40572-.txt"), piano);
}

TEST(Costruttore, EmbeddedScenarioFiles) {
  const Costruito r = incorporato();
  const Modello& m = r.c.modello();
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(r.nomi, (std::vector<std::string>{"Lago Fontana_Lago Marinella_linea.dat",
                                              "Lago Fontana_Lago Marinella_40572.sim",
                                              "Lago Fontana_Lago Marinella_40572.dat"}));
  ASSERT_EQ(r.byte.size(), 3u);
  const std::string& piano = r.byte[0];
  const std::string& sim = r.byte[1];
  const std::string& dat = r.byte[2];
  ASSERT_EQ(piano.size(), 279964u);
  ASSERT_EQ(sim.size(), 3016u);
  ASSERT_EQ(dat.size(), 4215u);
  EXPECT_EQ(dat.substr(15, 5), byte({0x00, 0x01, 0x14, 0x9C, 0x08}));
  EXPECT_EQ(dat.substr(315, 15), byte({0x01, 0x32, 0x00, 0x0A, 0x00, 0x0A, 0x00, 0x06, 0x00,
                                       0x00, 0x00, 0x00, 0x12, 0x5D, 0x64}));
  EXPECT_EQ(sim.substr(0, 34), std::string(34, '\0'));
  EXPECT_EQ(piano.substr(0, 4), byte({2, 0, 0, 0}));
  EXPECT_EQ(piano.substr(139982, 8), byte({2, 0, 0, 0, 2, 0, 1, 0}));

  const auto tabella = decodifica_tabella(sim);
  EXPECT_EQ(tabella, m.tabella_generale);
  EXPECT_EQ(tabella[85].intero1, 610);
  EXPECT_EQ(tabella[85].valore4, 30703);
  EXPECT_EQ(tabella[1].nome, "LAGO FONTANA");
  EXPECT_EQ(decodifica_celle(dat), m.celle_percorso);
  EXPECT_EQ(decodifica_planimetria(piano), m.planimetria.punti());
}

TEST(Costruttore, TwoBuildsGiveTheSameBytesAndNoPlanLeavesOnlyThePlanOut) {
  const Costruito primo = incorporato();
  EXPECT_EQ(incorporato().byte, primo.byte);
  const Costruito senza_piano = incorporato(false);
  EXPECT_EQ(senza_piano.nomi, (std::vector<std::string>{"Lago Fontana_Lago Marinella_40572.sim",
                                                        "Lago Fontana_Lago Marinella_40572.dat"}));
  EXPECT_EQ(senza_piano.byte[1], primo.byte[2]);
}

// `riga` put in place of line `numero` (1-based) of a text, or before it.
std::string con_riga(std::string testo, int numero, const std::string& riga, bool sostituisci) {
  std::size_t inizio = 0;
  for (int n = 1; n < numero; ++n) inizio = testo.find('\n', inizio) + 1;
  const std::size_t fine = sostituisci ? testo.find('\n', inizio) + 1 : inizio;
  return testo.replace(inizio, fine - inizio, riga + "\r\n");
}

// One entry the model cannot hold, or one the format reads its own way,
// changes nothing else: the files are the embedded scenario's, byte for
// byte, and the problem stands on the entry's line.
TEST(Costruttore, OneOddEntryKeepsTheEmbeddedFiles) {
  const std::string linea = read_file(embedded / "Lago Fontana_Lago Marinella_linea.txt");
  const std::string treno = read_file(embedded / "Lago Fontana_Lago Marinella_40572-.txt");
  const Costruito riferimento = incorporato();
  struct Caso {
    bool nella_linea;
    int riga;
    std::string voce;
    bool sostituisci;
    Gravita gravita;
    std::optional<Codice> codice;
  };
  const Caso casi[] = {
      {true, 15, "pendenza, -500, 3", false, Gravita::errore, codice::posizione_negativa},
      {true, 21, "montagna, 13000, 14100, 1", false, Gravita::errore,
       codice::fine_oltre_percorso},
      {true, 11, "curvad2, 6000, -100", false, Gravita::avviso, std::nullopt},
      {false, 19, "rallentamento, 13000, 60, 1000, 0, 0, 0", false, Gravita::errore,
       codice::rallentamento_fuori},
      {false, 12, "velocita, -50, 30", false, Gravita::errore, codice::posizione_negativa},
      {false, 14, "velocita,    3300,    32.5", true, Gravita::avviso, std::nullopt},
  };
  for (const Caso& caso : casi) {
    SCOPED_TRACE(caso.voce);
    const Costruito r =
        caso.nella_linea ? costruisci(con_riga(linea, caso.riga, caso.voce, caso.sostituisci), treno)
                         : costruisci(linea, con_riga(treno, caso.riga, caso.voce, caso.sostituisci));
    EXPECT_EQ(r.byte, riferimento.byte);
    ASSERT_EQ(r.c.modello().problemi.size(), 1u);
    const Problema& p = r.c.modello().problemi[0];
    EXPECT_EQ(p.gravita, caso.gravita);
    EXPECT_EQ(p.codice, caso.codice);
    EXPECT_EQ(p.luogo.riga, caso.riga);
    EXPECT_EQ(r.c.modello().codice_errore(), std::nullopt);
  }
}

// A trailing comma leaves an empty last field and the next line whole; a
// departure signal near the start is placed and the text read on.
TEST(Costruttore, EmptyLastFieldsAndEarlySignalsKeepEveryFollowingEntry) {
  const std::string linea = read_file(embedded / "Lago Fontana_Lago Marinella_linea.txt");
  const std::string treno = read_file(embedded / "Lago Fontana_Lago Marinella_40572-.txt");
  const std::string senza_nome = con_riga(
      treno, 16, "stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   0, 0, 0,", true);
  Costruito r = costruisci(linea, senza_nome);
  EXPECT_TRUE(r.c.modello().problemi.empty());
  EXPECT_EQ(r.c.modello().tabella_generale[1].nome, "");
  EXPECT_EQ(r.c.modello().tabella_generale[2].nome, "LAGO MARINELLA");

  r = costruisci(con_riga(linea, 23, "cartello indicatore, 2000,", false), treno);
  EXPECT_EQ(r.c.modello().celle_percorso[41].tipo, tipo_cella::cartello_testo);
  EXPECT_EQ(r.c.modello().tabella_generale[80].nome, "");
  EXPECT_EQ(r.c.modello().celle_percorso[71].tipo, tipo_cella::indicatore_velocita)
      << "the board after the empty text is kept";

  r = costruisci(linea, con_riga(treno, 20, "segnale,     300,   2, 5, 1,  1, 0,    0,  0,0,0, 0",
                                 false));
  EXPECT_EQ(r.c.modello().codice_errore(), std::nullopt);
  EXPECT_EQ(r.c.modello().celle_percorso[7].tipo, tipo_cella::segnale);
  EXPECT_EQ(r.c.modello().celle_percorso[21].tipo, tipo_cella::segnale);
  EXPECT_EQ(r.c.modello().celle_percorso[100].velocita_limite, 6);
}

TEST(Costruttore, StartRecordFailureIsTheLastProblemAndGivesNoFile) {
  const struct {
    const char* tabellone;
    Codice codice;
  } casi[] = {
      {"indicatori_vmax,  0, 85, 90, 95, 0, 85, 90, 95, 0", codice::partenza_primo_valore},
      {"indicatori_vmax,  0, 0, 90, 95, 0, 0, 90, 95, 0", codice::partenza_secondo_valore},
  };
  for (const auto& caso : casi) {
    const Costruito r = costruisci("[generale]\r\nlunghezza percorso,    1000\r\n[cartelli]\r\n" +
                                       std::string(caso.tabellone) + "\r\n[fine]\r\n",
                                   "[generale]\r\n[fine]\r\n");
    EXPECT_EQ(r.c.esito(), EsitoPercorso::fatale);
    EXPECT_EQ(r.c.modello().codice_errore(), caso.codice);
    EXPECT_EQ(r.c.modello().problemi.back().posizione, 50);
    EXPECT_TRUE(r.nomi.empty());
  }
}

TEST(Costruttore, NoRouteCellsGivesNoFileAndSaysWhy) {
  Compattazione c = compatta(Scenario{"Lago Fontana_Lago Marinella", "40572", true},
                             TestiDescrizione{std::nullopt, "[generale]\r\n[fine]\r\n"});
  EXPECT_EQ(c.esito(), EsitoPercorso::senza_percorso);
  EXPECT_TRUE(c.file().empty());
  const std::string motivo = motivo_senza_percorso(c.modello());
  EXPECT_NE(motivo.find("code 101"), std::string::npos) << motivo;
}

// The files keep the model they encode: the compaction that made them may
// be moved and gone before they are written.
TEST(Costruttore, FilesOutliveTheirCompaction) {
  const Costruito riferimento = incorporato();
  const std::string linea = read_file(embedded / "Lago Fontana_Lago Marinella_linea.txt");
  const std::string treno = read_file(embedded / "Lago Fontana_Lago Marinella_40572-.txt");
  std::vector<FileBinario> file;
  std::vector<FileBinario> dopo_lo_spostamento;
  {
    Compattazione c = compatta(Scenario{"Lago Fontana_Lago Marinella", "40572", true},
                               TestiDescrizione{linea, treno});
    file = c.file();
    const Compattazione spostata = std::move(c);
    dopo_lo_spostamento = spostata.file();
  }
  for (const auto* insieme : {&file, &dopo_lo_spostamento}) {
    std::vector<std::string> byte;
    for (const FileBinario& f : *insieme) byte.push_back(byte_di(f));
    EXPECT_EQ(byte, riferimento.byte);
  }
}

}  // namespace
}  // namespace scenari
