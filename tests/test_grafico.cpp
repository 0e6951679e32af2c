// The plot: the SVG's structure and what its lanes and profiles show, the
// entries each object is traced back to, label placement, and the HTML
// page's data and size. The page running in a browser is tests/browser/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "bench/generatore.h"
#include "esecuzione/avvio.h"
#include "esecuzione/nomi_file.h"
#include "esecuzione/testi.h"
#include "core/formato/formato_binario.h"
#include "support/ausili.h"
#include "tool/grafico/collocatore.h"
#include "tool/grafico/corsie.h"
#include "tool/compila.h"
#include "tool/esempio.h"
#include "tool/grafico/grafico.h"
#include "tool/stato.h"
#include "tool/verifica/analisi.h"

namespace scenari::tool {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::read_file;
using test::write_file;

class Cartella : public test::TestDirectory {
 public:
  Cartella() : TestDirectory("test_grafico") {}
};

// A scenario as the plot command sees it: its texts compiled by the tool
// in the same directory, then read back with the entries of the texts.
DatiGrafico compilata(const std::string& cartella, const std::string& linea, const std::string& treno) {
  platform::Files files;
  const EsitoCompilazione e = compila({cartella, cartella, linea, treno, true}, files);
  EXPECT_EQ(e.stato, uscita_ok) << e.messaggio;
  return dati_da_cartella(files, cartella, linea, treno);
}

const DatiGrafico& dati_incorporati() {
  static const DatiGrafico dati = [] {
    platform::Files files;
    Cartella dir;
    scrivi_esempio(files, dir.str(), false);
    return compilata(dir.str(), nome_linea_incorporato, numero_treno_incorporato);
  }();
  return dati;
}

std::size_t conta(const std::string& testo, const std::string& cosa) {
  std::size_t n = 0;
  for (auto p = testo.find(cosa); p != std::string::npos; p = testo.find(cosa, p + 1)) ++n;
  return n;
}

// The value of attribute `nome` in the element that starts at `inizio`.
std::string attributo(const std::string& svg, std::size_t inizio, const std::string& nome) {
  const std::size_t fine = svg.find('>', inizio);
  const std::size_t p = svg.find(" " + nome + "=\"", inizio);
  if (p == std::string::npos || p > fine) return {};
  const std::size_t valore = p + nome.size() + 3;
  return svg.substr(valore, svg.find('"', valore) - valore);
}

const Oggetto* primo(const DatiGrafico& d, Genere g) {
  for (const auto& o : d.oggetti) {
    if (o.genere == g) return &o;
  }
  return nullptr;
}

// ---- the SVG ----

TEST(Svg, EmbeddedScenarioParsesAsXml) {
  if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint missing";
  Cartella dir;
  DatiGrafico d = dati_incorporati();
  d.problemi = {{1000, Gravita::errore, "a <problem> & \"its\" text"}};
  write_file(dir / "plot.svg", disegna_svg(d));
  write_file(dir / "parte.svg", disegna_svg(d, {1500, 4000, false}));
  for (const char* f : {"plot.svg", "parte.svg"}) {
    const std::string comando = "xmllint --noout '" + (dir / f).string() + "'";
    EXPECT_EQ(std::system(comando.c_str()), 0) << f;
  }
}

TEST(Svg, PlanPathHasEveryPointTheFileHolds) {
  const std::string svg = disegna_svg(dati_incorporati());
  const std::size_t piano = svg.find("<path id=\"plan\"");
  ASSERT_NE(piano, std::string::npos);
  // Points 0 to 13998 hold coordinates; the last two are left empty.
  EXPECT_EQ(attributo(svg, piano, "data-points"), "13999");
  EXPECT_EQ(conta(attributo(svg, piano, "d"), ","), 13999u);
}

TEST(Svg, MarksTheObjectsOfTheEmbeddedScenario) {
  const std::string svg = disegna_svg(dati_incorporati());
  struct Caso {
    const char* classe;
    std::size_t quanti;
  };
  // Two stations of four approach cells each, three signals of four.
  for (const auto& c : {Caso{"signal", 3}, Caso{"speed-board", 2}, Caso{"station", 2},
                        Caso{"stop-cell", 2}, Caso{"curve", 3}, Caso{"approach-cell", 20},
                        Caso{"slowdown", 0}, Caso{"text-board", 0}, Caso{"protection-point", 0}}) {
    EXPECT_EQ(conta(svg, std::string("class=\"marker ") + c.classe + "\""), c.quanti) << c.classe;
  }
  for (const char* etichetta : {">1000 m<", ">2300 m<", ">3450 m<", ">85/90/95<", ">80/85/90<",
                                ">LAGO FONTANA<", ">LAGO MARINELLA<", ">end of route<",
                                ">right 2<", ">left 3<", ">left 4<"}) {
    EXPECT_NE(svg.find(etichetta), std::string::npos) << etichetta;
  }
  for (const char* profilo : {"profile gradient", "profile speed-limit", "profile effective-speed",
                              "profile adhesion"}) {
    EXPECT_EQ(conta(svg, profilo), 1u) << profilo;
  }
}

// Tooltips name the position as typed, the values as written (decoded from
// the packed members) and the entry they came from: the first station is
// typed at 0 m although its platform starts at -500 m.
TEST(Svg, TooltipsGiveTheTypedPositionAndTheTextEntry) {
  const std::string svg = disegna_svg(dati_incorporati());
  const std::string treno = std::string(nome_linea_incorporato) + "_" + numero_treno_incorporato + "-.txt";
  const std::string linea = std::string(nome_linea_incorporato) + "_linea.txt";
  for (const std::string& atteso : std::vector<std::string>{
           "station at 0 m: LAGO FONTANA (type 8, platform -500 m to 500 m)\n" + treno + ":16: stazione,",
        "station at 4500 m: LAGO MARINELLA", "signal at 2300 m: 2300 m (s/d 3/0 1/0 0/0, rapp 0, sx 2 dx 0)", "\n" + treno + ":21: segnale,    2300",
        "curve at 1000 m: left 3 (left-hand, class 3, 900 m long)\n" + linea + ":12: curvas3,  1000,  900",
        "speed board at 1050 m: 85/90/95 (s/d km/h 85/85 90/90 95/95, stripes 0/0)", "\n" + linea + ":22: indicatori_vmax,  1050"}) {
    EXPECT_NE(svg.find(atteso), std::string::npos) << atteso;
  }
  EXPECT_EQ(svg.find("station at -500 m"), std::string::npos);
}

TEST(Svg, StretchAndRunOutLimitTheDistanceAxis) {
  const DatiGrafico d = dati_incorporati();
  const std::string parte = disegna_svg(d, {2000, 4300, true});
  EXPECT_EQ(conta(parte, "class=\"marker signal\""), 2u) << "2300 m and 3450 m only";
  EXPECT_EQ(conta(parte, "class=\"marker station\""), 1u) << "the platform from 4200 m";
  EXPECT_EQ(conta(parte, "class=\"plan-range\""), 1u);
  EXPECT_EQ(parte.find("class=\"route-end\""), std::string::npos);

  const std::string intero = disegna_svg(d);
  EXPECT_EQ(intero.find("class=\"plan-range\""), std::string::npos);
  EXPECT_EQ(conta(intero, "class=\"route-end\""), 1u);
  const std::string senza_coda = disegna_svg(d, {std::nullopt, std::nullopt, false});
  EXPECT_EQ(senza_coda.find("class=\"route-end\""), std::string::npos);
  EXPECT_NE(senza_coda.find(">7</text>"), std::string::npos);
  EXPECT_EQ(senza_coda.find(">14</text>"), std::string::npos);
}

TEST(Svg, ProblemsAreMarkedBySeverity) {
  DatiGrafico d = dati_incorporati();
  d.problemi = {{1000, Gravita::errore, "code 16: signal cell already taken"},
                {2500, Gravita::avviso, "a warning"},
                {9000, Gravita::errore, "outside the stretch"}};
  const std::string svg = disegna_svg(d, {0, 5000, true});
  EXPECT_EQ(conta(svg, "class=\"problem error\""), 1u);
  EXPECT_EQ(conta(svg, "class=\"problem warning\""), 1u);
  EXPECT_NE(svg.find("error at 1000 m: code 16: signal cell already taken"), std::string::npos);
}

// ---- what the data says ----

TEST(Dati, CurvesComeFromTheTurnOfThePlan) {
  std::vector<std::tuple<double, double, std::string>> curve;
  for (const auto& o : dati_incorporati().oggetti) {
    if (o.genere == Genere::curva) curve.emplace_back(o.inizio, o.fine, o.etichetta);
  }
  const std::vector<std::tuple<double, double, std::string>> attese = {
      {500, 800, "right 2"}, {1000, 1900, "left 3"}, {2600, 3700, "left 4"}};
  EXPECT_EQ(curve, attese);
}

TEST(Dati, EffectiveSpeedIsTheLimitLoweredOverEachSlowdown) {
  std::vector<cella> celle(40);
  for (auto& c : celle) c.velocita_limite = 20;  // 100 km/h
  celle[11].tipo = 3;  // a slowdown from 500 m to 1000 m at 30 km/h
  celle[11].dato1 = 30;
  celle[21].tipo = 2;
  celle[30].velocita_limite = 4;  // a limit below the slowdown speed is kept
  celle[25].tipo = 3;             // a slowdown with no end runs to the last cell
  celle[25].dato1 = 60;
  const std::vector<int> v = velocita_effettiva(celle);
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const int atteso = k >= 10 && k < 20 ? 30 : k == 30 ? 20 : k >= 24 ? 60 : 100;
    EXPECT_EQ(v[k], atteso) << "cell " << k;
  }
}

// The line of `testo` (from 1) that holds `frammento`.
std::int32_t riga_di(const std::string& testo, const std::string& frammento) {
  const std::size_t p = testo.find(frammento);
  return p == std::string::npos ? 0 : static_cast<std::int32_t>(conta(testo.substr(0, p), "\n") + 1);
}

std::string dopo(std::string testo, const std::string& sezione, const std::string& voce) {
  return testo.insert(testo.find(sezione) + sezione.size(), voce);
}

// Each object has the entry the model recorded while placing it: a
// slowdown's warning board and the cells before it come from the
// slowdown's line, a terrain stretch and its markers from their montagna
// line, a curve from its curva line. A cell the binary files hold
// otherwise than the texts compile has no entry.
TEST(Origini, EveryObjectComesFromTheEntryThatPlacedIt) {
  const std::string linea = dopo(testo_linea(), "[montagne]\r\n", "montagna, 6000, 7000, 12\r\n");
  const std::string treno = dopo(testo_treno(), "[rallentamenti]\r\n",
                                 "rallentamento, 5000, 30, 300, 1, 1, 0\r\nabbattimento, 6500, 180\r\n");
  const Scenario scenario{nome_linea_incorporato, numero_treno_incorporato, true};
  const DatiGrafico d = dati_da_testi(scenario, {linea, treno});
  const std::string file_treno = std::string(nome_linea_incorporato) + "_" + numero_treno_incorporato + "-.txt";
  struct Atteso {
    Genere genere;
    std::string file, voce;
    std::size_t quanti;
  };
  const std::string file_linea = std::string(nome_linea_incorporato) + "_linea.txt";
  for (const auto& a : {Atteso{Genere::avviso, file_treno, "rallentamento, 5000", 1},
                        Atteso{Genere::cella_avviso, file_treno, "rallentamento, 5000", 4},
                        Atteso{Genere::rallentamento, file_treno, "rallentamento, 5000", 1},
                        Atteso{Genere::montagna, file_linea, "montagna, 6000", 1},
                        Atteso{Genere::marcatore_montagna, file_linea, "montagna, 6000", 5},
                        Atteso{Genere::curva, file_linea, "curvas3,  1000", 1},
                        Atteso{Genere::segnale, file_treno, "segnale,    2300", 1},
                        Atteso{Genere::stazione, file_treno, "stazione,    4500", 1}}) {
    std::size_t trovati = 0;
    for (const auto& o : d.oggetti) {
      if (o.genere != a.genere || !o.origine || o.origine->voce.rfind(a.voce, 0) != 0) continue;
      ++trovati;
      EXPECT_EQ(o.origine->file, a.file) << a.voce;
      EXPECT_EQ(o.origine->riga, riga_di(a.file == file_linea ? linea : treno, a.voce)) << a.voce;
    }
    EXPECT_EQ(trovati, a.quanti) << a.voce;
  }
  for (const auto& o : d.oggetti) {
    const bool del_compattatore = o.genere == Genere::abbattimento && o.posizione != 6500;
    EXPECT_EQ(o.origine.has_value(), o.genere != Genere::avvicinamento && !del_compattatore)
        << stile(o.genere).classe << " at " << o.posizione;
  }

  const Analisi a = analizza(scenario, {linea, treno});
  DatiGrafico vecchia = dati_grafico(a.compattazione.modello());
  const Oggetto* segnale = primo(vecchia, Genere::segnale);
  ASSERT_NE(segnale, nullptr);
  vecchia.celle[static_cast<std::size_t>(segnale->cella)].dato1 += 1;
  associa_origini(vecchia, a.compattazione.modello(), {{file_linea, linea}, {file_treno, treno}});
  EXPECT_FALSE(primo(vecchia, Genere::segnale)->origine.has_value()) << "binary files older than the texts";
  EXPECT_TRUE(primo(vecchia, Genere::cartello_velocita)->origine.has_value());
}

// An abbattimento point typed at 5500 m lies in cell 110, which for a signal
// would be 5450 m.
TEST(Dati, AbbattimentoPointLiesWhereItWasTyped) {
  std::vector<cella> celle(120);
  celle[110].tipo = 12;
  celle[110].dato1 = 180;
  const std::array<voce_tabella, numero_voci> tabella{};
  DatiGrafico d = dati_grafico(std::nullopt, codifica_tabella(tabella), codifica_celle(celle));
  ASSERT_EQ(d.oggetti.size(), 1u);
  EXPECT_EQ(d.oggetti[0].posizione, 5500);
}

TEST(Dati, StationIsPlacedWhereItWasTyped) {
  const Oggetto* s = primo(dati_incorporati(), Genere::stazione);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->inizio, -500);
  EXPECT_EQ(s->fine, 500);
  EXPECT_EQ(s->posizione, 0);
}

// A slowdown whose end falls on the signal at 3450 m: the compaction of
// the texts in the directory marks it where it was typed.
TEST(Dati, ProblemsOfTheTextsInTheDirectory) {
  platform::Files files;
  Cartella dir;
  scrivi_esempio(files, dir.str(), false);
  const NomiFile nomi = nomi_file(dir.str(), nome_linea_incorporato, numero_treno_incorporato);
  std::string treno = files.read(nomi.treno_txt);
  const std::string sezione = "[rallentamenti]\r\n";
  treno.insert(treno.find(sezione) + sezione.size(), "rallentamento, 3000, 30, 500, 1, 1, 0\r\n");
  files.replace(nomi.treno_txt, treno);
  compila({dir.str(), dir.str(), nome_linea_incorporato, numero_treno_incorporato, true}, files);

  const auto problemi =
      dati_da_cartella(files, dir.str(), nome_linea_incorporato, numero_treno_incorporato).problemi;
  ASSERT_EQ(problemi.size(), 1u) << "the signals after the stop hold no mistake";
  EXPECT_EQ(problemi[0].posizione, 3000);
  EXPECT_EQ(problemi[0].gravita, Gravita::errore);
  EXPECT_NE(problemi[0].testo.find("_40572-.txt:19:"), std::string::npos) << problemi[0].testo;
  EXPECT_EQ(files.read(nomi.treno_txt), treno) << "the texts stay as they were";

  files.remove(nomi.linea_txt);
  EXPECT_TRUE(dati_da_cartella(files, dir.str(), nome_linea_incorporato, numero_treno_incorporato)
                  .problemi.empty());
}

// ---- label placement ----

TEST(Etichette, NeverOverlapNorLeaveTheDrawing) {
  Collocatore c;
  const Riquadro primo_[] = {{0, 0, 50, 10}};
  EXPECT_EQ(c.colloca(primo_), 0u);
  const Riquadro secondo[] = {{40, 5, 90, 15}, {40, 12, 90, 22}};
  EXPECT_EQ(c.colloca(secondo), 1u);
  const Riquadro terzo[] = {{45, 0, 60, 20}};
  EXPECT_FALSE(c.colloca(terzo).has_value());

  Collocatore dentro({0, 0, 100, 100});
  const Riquadro oltre[] = {{90, 10, 130, 20}, {50, 10, 90, 20}};
  EXPECT_EQ(dentro.colloca(oltre), 1u) << "a label past the right edge would be clipped";
}

TEST(Etichette, FartherCandidatesNeedALeaderLine) {
  const auto candidati = intorno(100, 100, 40, 12);
  ASSERT_GE(candidati.size(), 16u);
  EXPECT_FALSE(lontano(candidati.front(), 100, 100));
  EXPECT_TRUE(lontano(candidati.back(), 100, 100));
  const auto [x, y] = attacco(candidati.back(), 100, 100);
  EXPECT_TRUE(x == candidati.back().x0 || x == candidati.back().x1 || y == candidati.back().y0 ||
              y == candidati.back().y1);
}

// ---- the HTML page ----

json dati_della_pagina(const std::string& pagina) {
  const std::string inizio = "const DATI = ";
  const std::size_t a = pagina.find(inizio);
  const std::size_t b = pagina.find(";\n</script>", a);
  if (a == std::string::npos || b == std::string::npos) return nullptr;
  return json::parse(pagina.substr(a + inizio.size(), b - a - inizio.size()));
}

std::size_t somma_tratti(const json& tratti) {
  std::size_t n = 0;
  for (std::size_t i = 1; i < tratti.size(); i += 2) n += tratti[i].get<std::size_t>();
  return n;
}

TEST(Pagina, CarriesEveryObjectAndProfileAsCompactArrays) {
  const DatiGrafico d = dati_incorporati();
  const std::string pagina = pagina_html(d);
  EXPECT_EQ(pagina.find("<script src"), std::string::npos);
  EXPECT_EQ(pagina.find("<link"), std::string::npos);
  EXPECT_EQ(pagina.find("://"), std::string::npos);
  const json j = dati_della_pagina(pagina);
  ASSERT_TRUE(j.is_object());
  EXPECT_EQ(j["objects"]["kind"].size(), d.oggetti.size());
  const std::size_t celle = j["profiles"]["cells"];
  EXPECT_EQ(celle, celle_con_profilo(d.celle));
  for (const char* p : {"gradient", "limit", "effective", "adhesion"}) {
    EXPECT_EQ(somma_tratti(j["profiles"][p]), celle) << p;
  }
  EXPECT_EQ(j["plan"]["m"].size(), d.piano.size());
  long long x = 0;
  for (const auto& dx : j["plan"]["x"]) x += dx.get<long long>();
  EXPECT_EQ(x, std::llround(d.piano.back().x * 10));
}

// The page's lanes, and the colour, lane and shape of every kind it shows,
// come with its data: those the SVG draws with.
TEST(Pagina, LanesAndStylesAreTheSvgs) {
  const DatiGrafico& d = dati_incorporati();
  const json j = dati_della_pagina(pagina_html(d));
  const std::string svg = disegna_svg(d);
  ASSERT_EQ(j["lanes"].size(), std::size(corsie_oggetti));
  for (const json& c : j["lanes"]) {
    EXPECT_NE(svg.find(">" + c["name"].get<std::string>() + "</text>"), std::string::npos) << c;
  }
  std::set<std::string> generi;
  for (const json& k : j["objects"]["kind"]) generi.insert(j["texts"][k.get<std::size_t>()]);
  EXPECT_GE(generi.size(), 6u);
  for (const std::string& g : generi) {
    SCOPED_TRACE(g);
    const json& st = j["styles"][g];
    ASSERT_TRUE(st.is_object());
    EXPECT_LT(st["lane"].get<std::size_t>() + 1, std::size(corsie_oggetti));
    EXPECT_FALSE(st["shape"].get<std::string>().empty());
    const std::size_t segno = svg.find("</title>", svg.find("class=\"marker " + g + "\""));
    ASSERT_NE(segno, std::string::npos);
    const std::string forma = svg.substr(segno, svg.find("</g>", segno) - segno);
    EXPECT_NE(forma.find("\"" + st["colour"].get<std::string>() + "\""), std::string::npos) << forma;
  }
}

// Whatever the names and texts hold, the page's data stays one script
// that reads back as it was written.
TEST(Pagina, TextsStayInsideTheirScript) {
  DatiGrafico d = dati_incorporati();
  d.titolo = "</script><script>alert(1)</script><!--<script";
  d.problemi = {{0, Gravita::errore, "</SCRIPT> </script <!-- \xE2\x80\xA8 \xE2\x80\xA9"}};
  const std::string pagina = pagina_html(d);
  EXPECT_EQ(conta(pagina, "</script>"), 2u) << "only the page's own two scripts end";
  const std::size_t a = pagina.find("const DATI = ");
  const std::string dati = pagina.substr(a, pagina.find(";\n</script>", a) - a);
  for (const char* vietato : {"<", "\xE2\x80\xA8", "\xE2\x80\xA9"}) {
    EXPECT_EQ(dati.find(vietato), std::string::npos) << vietato;
  }
  const json j = dati_della_pagina(pagina);
  EXPECT_EQ(j["title"], d.titolo);
  EXPECT_EQ(j["problems"][0]["text"], d.problemi[0].testo);
}

// The longest route the readers accept.
TEST(Pagina, LongestRouteStaysWithinFiveMegabytesAsPageAndAsSvg) {
  Cartella dir;
  platform::Files files;
  const NomiFile nomi = nomi_file(dir.str(), "Sintetica_Lunga", "1");
  const bench::ScenarioSintetico scenario = bench::genera_scenario(bench::lunghezza_massima);
  files.replace(nomi.linea_txt, scenario.linea);
  files.replace(nomi.treno_txt, scenario.treno);
  const DatiGrafico d = compilata(dir.str(), "Sintetica_Lunga", "1");
  const std::string pagina = pagina_html(d);
  EXPECT_LE(pagina.size(), 5'000'000u);
  const json j = dati_della_pagina(pagina);
  EXPECT_EQ(j["objects"]["kind"].size(), d.oggetti.size());
  EXPECT_LE(j["plan"]["m"].size(), 60'001u);
  std::size_t con_origine = 0;
  for (const auto& o : d.oggetti) con_origine += o.origine ? 1 : 0;
  EXPECT_GT(con_origine, 1000u) << "every entry of the generated texts is traced";
  const std::string svg = disegna_svg(d);
  EXPECT_LE(svg.size(), 5'000'000u) << "the plan path is thinned to 100,000 points";
  const std::size_t piano = svg.find("<path id=\"plan\"");
  const std::string punti = attributo(svg, piano, "data-points");
  EXPECT_LE(std::stoul(punti), 100'000u);
  EXPECT_EQ(conta(attributo(svg, piano, "d"), ","), std::stoul(punti));
}

// ---- the command ----

int esegui(const std::string& argomenti) { return test::run_program(SCENARI_TOOL, argomenti).status; }

TEST(Comando, PlotOptions) {
  Cartella dir;
  const std::string d = "'" + dir.str() + "'";
  ASSERT_EQ(esegui("texts " + d), uscita_ok);
  EXPECT_EQ(esegui("plot " + d), uscita_errore_file) << "nothing compiled yet";
  ASSERT_EQ(esegui("compile " + d), uscita_ok);
  struct Caso {
    std::string argomenti;
    int stato;
  };
  for (const auto& c : {Caso{"plot " + d + " --html --out " + d + "/p.html", uscita_ok},
                        Caso{"plot " + d + " --from 1 --to 3.5 --no-run-out --out " + d + "/p.svg", uscita_ok},
                        Caso{"plot " + d + " --from 3 --to 1", uscita_uso},
                        Caso{"plot " + d + " --from x", uscita_uso},
                        Caso{"plot " + d + " --html --from 1", uscita_uso}}) {
    EXPECT_EQ(esegui(c.argomenti), c.stato) << c.argomenti;
  }
  EXPECT_NE(read_file(dir / "p.html").find("const DATI = "), std::string::npos);
  EXPECT_NE(read_file(dir / "p.svg").find("class=\"plan-range\""), std::string::npos);
}

}  // namespace
}  // namespace scenari::tool
