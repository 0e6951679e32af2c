// scenari-tool check: each kind of mistake an author makes, planted in the
// embedded texts, is named on the line of the planted entry as an error or a
// warning; several are reported in one run; nothing is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "esecuzione/incorporato.h"
#include "core/modello/nomi_file.h"
#include "support/ausili.h"
#include "tool/compila.h"
#include "tool/esempio.h"

namespace scenari::tool {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::write_file;

const NomiFile nomi = nomi_file(nome_linea_incorporato, numero_treno_incorporato);

// The embedded texts in a scratch directory, with lines changed.
class Scenario {
 public:
  Scenario() {
    platform::Files files;
    scrivi_esempio(files, dir_.str(), false);
  }

  // Puts `riga` in place of line `numero` of a text, or before it.
  Scenario& riga(const std::string& file, int numero, const std::string& riga,
                 bool sostituisci = false) {
    std::string testo = read_file(dir_ / file);
    std::size_t inizio = 0;
    for (int n = 1; n < numero; ++n) inizio = testo.find('\n', inizio) + 1;
    const std::size_t fine = sostituisci ? testo.find('\n', inizio) + 1 : inizio;
    write_file(dir_ / file, testo.replace(inizio, fine - inizio, riga + "\r\n"));
    return *this;
  }
  Scenario& linea(int numero, const std::string& r, bool s = false) {
    return riga(nomi.linea_txt, numero, r, s);
  }
  Scenario& treno(int numero, const std::string& r, bool s = false) {
    return riga(nomi.treno_txt, numero, r, s);
  }

  EsitoCompilazione controlla() const {
    platform::Files files;
    return compila({dir_.str(), dir_.str(), nome_linea_incorporato, numero_treno_incorporato,
                    true, false},
                   files);
  }

  const test::TestDirectory& dir() const { return dir_; }

 private:
  test::TestDirectory dir_{"test_check"};
};

struct Atteso {
  std::string file;
  int riga;
  std::string controllo;  // the check name, or the code's name for errors
};

// The problem expected, or a failure listing those found.
const Problema* si_trova(const EsitoCompilazione& e, const Scenario& s, const Atteso& a) {
  const std::string file = platform::join(s.dir().str(), a.file);
  for (const Problema& p : e.problemi) {
    if (p.luogo.file == file && p.luogo.riga == a.riga && p.controllo == a.controllo) return &p;
  }
  std::string visti;
  for (const Problema& p : e.problemi) {
    visti += "\n  " + p.luogo.file + ":" + std::to_string(p.luogo.riga) + " " + p.controllo;
  }
  ADD_FAILURE() << "no " << a.controllo << " at " << a.file << ":" << a.riga << "; found:" << visti;
  return nullptr;
}

// The problem points into `e`, which must outlive it.
const Problema* si_trova(EsitoCompilazione&&, const Scenario&, const Atteso&) = delete;

// The problem expected, found only by reading on past the stop at line
// `arresto` of `file_arresto`, with a note naming that stop.
void dopo_arresto(const EsitoCompilazione& e, const Scenario& s, const Atteso& a,
                  const std::string& file_arresto, int arresto) {
  const Problema* p = si_trova(e, s, a);
  if (p == nullptr) return;
  SCOPED_TRACE(a.file + ":" + std::to_string(a.riga) + " " + a.controllo);
  ASSERT_TRUE(p->dopo_arresto.has_value());
  EXPECT_EQ(p->dopo_arresto->file, platform::join(s.dir().str(), file_arresto));
  EXPECT_EQ(p->dopo_arresto->riga, arresto);
  ASSERT_FALSE(p->note.empty());
  EXPECT_EQ(p->note.back().luogo, *p->dopo_arresto);
}

TEST(Check, TheEmbeddedTextsAreClean) {
  const Scenario s;
  const EsitoCompilazione e = s.controlla();
  EXPECT_EQ(e.stato, uscita_ok);
  EXPECT_TRUE(e.problemi.empty());
}

TEST(Check, KeywordsAndSectionsThatMeanNothing) {
  Scenario s;
  s.treno(20, "segnlae,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0", true)
      .treno(18, "[rallentamneti]", true)
      .linea(15, "rallentamneto, 500, 1");
  const EsitoCompilazione e = s.controlla();
  si_trova(e, s, {nomi.treno_txt, 20, "unknown-keyword"});
  si_trova(e, s, {nomi.treno_txt, 18, "unknown-section"});
  si_trova(e, s, {nomi.linea_txt, 15, "unknown-keyword"});
  EXPECT_EQ(e.stato, uscita_ok) << "warnings alone leave the status clean";
  for (const Problema& p : e.problemi) {
    if (p.controllo == "unknown-section") {
      EXPECT_EQ(p.aiuto, "did you mean `[rallentamenti]`?");
    }
  }
}

// Lines the reader drops without a problem of its own: a dash inside the
// keyword makes the field a comment, and a general entry has no effect in
// the body of the line text, as a body entry has none in its general section.
TEST(Check, LinesTheReaderDropsInSilence) {
  Scenario s;
  s.treno(22, "segnale-nord,    3450,   2, 2, 3,  0, 0,    0,  0,0,0, 0", true)
      .treno(19, "-- segnale,    3000,   2, 2, 3,  0, 0,    0,  0,0,0, 0")
      .linea(16, "sfondo uno,    1")
      .linea(3, "pendenza, 100, 2");
  const EsitoCompilazione e = s.controlla();
  const Problema* trattino = si_trova(e, s, {nomi.treno_txt, 23, "dash-in-keyword"});
  if (trattino != nullptr) {
    ASSERT_TRUE(trattino->correzione.has_value());
    EXPECT_EQ(trattino->correzione->testo, "segnale nord");
  }
  const Problema* generale = si_trova(e, s, {nomi.linea_txt, 17, "misplaced-entry"});
  if (generale != nullptr) {
    EXPECT_EQ(generale->aiuto, "move it into [generale]");
  }
  si_trova(e, s, {nomi.linea_txt, 3, "misplaced-entry"});
  EXPECT_EQ(e.problemi.size(), 3u) << "a comment line beginning with a dash is no warning";
}

TEST(Check, BytesThatAreNotWindows1252Text) {
  Scenario s;
  s.treno(17, "stazione,    4500,  2,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   8, 9, 0, CITT\xC3\x80",
          true)
      .linea(14, "[pendenze]\x01", true);
  const EsitoCompilazione e = s.controlla();
  si_trova(e, s, {nomi.treno_txt, 17, "utf8-text"});
  si_trova(e, s, {nomi.linea_txt, 14, "unprintable-byte"});
}

TEST(Check, NumbersSplitAndValuesMissingOrLeftOver) {
  Scenario s;
  s.treno(19, "rallentamento,    2,000,   30,  500,  1,  1,  0")
      .treno(13, "velocita,    10 00,    90", true)
      .linea(16, "pendenza, 1500")
      .linea(17, "500, 3");
  const EsitoCompilazione e = s.controlla();
  si_trova(e, s, {nomi.treno_txt, 19, "extra-values"});
  si_trova(e, s, {nomi.treno_txt, 13, "extra-values"});
  const Problema* mancante = si_trova(e, s, {nomi.linea_txt, 16, "missing-values"});
  ASSERT_NE(mancante, nullptr);
  EXPECT_NE(mancante->messaggio.find("without gradient"), std::string::npos) << mancante->messaggio;
  si_trova(e, s, {nomi.linea_txt, 17, "number-as-keyword"});
}

// A keyword field holding several keywords is read as each entry in turn,
// in the reader's order, each with its own values: a correct line is clean.
TEST(Check, SeveralKeywordsInOneField) {
  Scenario s;
  s.treno(21, "segnale abbattimento,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0,   2600, 600", true)
      .linea(19, "pendenza montagna, 5800, 0, 6000, 6500, 2", true);
  const EsitoCompilazione e = s.controlla();
  EXPECT_EQ(e.stato, uscita_ok);
  for (const Problema& p : e.problemi) ADD_FAILURE() << p.luogo.riga << " " << p.messaggio;

  s.treno(21, "abbattimento segnale,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0,   2600", true);
  const EsitoCompilazione corto = s.controlla();
  const Problema* mancante = si_trova(corto, s, {nomi.treno_txt, 21, "missing-values"});
  ASSERT_NE(mancante, nullptr);
  EXPECT_NE(mancante->messaggio.find("\"segnale\" then \"abbattimento\""), std::string::npos)
      << mancante->messaggio;
  EXPECT_NE(mancante->messaggio.find("without abbattimento value"), std::string::npos)
      << mancante->messaggio;
}

// At the end of the text nothing follows to complete an entry.
TEST(Check, AKeywordAloneAtTheEndOfTheText) {
  Scenario s;
  s.treno(25, "sabbia");
  const EsitoCompilazione e = s.controlla();
  const Problema* p = si_trova(e, s, {nomi.treno_txt, 25, "missing-values"});
  ASSERT_NE(p, nullptr);
  EXPECT_NE(p->messaggio.find("the text ends here"), std::string::npos) << p->messaggio;
  EXPECT_EQ(p->messaggio.find("next line"), std::string::npos) << p->messaggio;
}

TEST(Check, CommentsDecimalsAndPositionsPastTheStatedLength) {
  Scenario s;
  s.treno(20, "# segnale di partenza")
      .treno(13, "velocita,    1000,    90.5", true)
      .treno(21, "segnale,    9000,   2, 5, 1,  1, 0,    0,  0,0,0, 0");
  const EsitoCompilazione e = s.controlla();
  si_trova(e, s, {nomi.treno_txt, 20, "comment-like"});
  si_trova(e, s, {nomi.treno_txt, 13, "decimal-value"});
  si_trova(e, s, {nomi.treno_txt, 21, "beyond-route-length"});
}

// A taken cell names the entry that holds it; the mistakes after a stop of
// the reader are still reported, each marked with the stop.
TEST(Check, ThreeMistakesOneOfThemAStopAllInOneRun) {
  Scenario s;
  s.treno(20, "segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0")
      .treno(23, "segnlae,    3000,   2, 5, 1,  1, 0,    0,  0,0,0, 0")
      .treno(25, "[codcii]", true);
  const EsitoCompilazione e = s.controlla();
  EXPECT_EQ(e.stato, uscita_dati);
  si_trova(e, s, {nomi.treno_txt, 21, "cell-taken"});
  dopo_arresto(e, s, {nomi.treno_txt, 23, "unknown-keyword"}, nomi.treno_txt, 21);
  dopo_arresto(e, s, {nomi.treno_txt, 25, "unknown-section"}, nomi.treno_txt, 21);
  const Problema& cella = e.problemi.front();
  ASSERT_EQ(cella.note.size(), 1u);
  EXPECT_EQ(cella.note[0].luogo.riga, 20);
  EXPECT_FALSE(cella.dopo_arresto) << "the stop itself is found by a compile";
}

// Each stop of the train text is recorded, the entry passed over and the
// reading goes on: a taken cell, a value that is no number, a position past
// the route, each on the entry that holds it and marked with the stop just
// before it; the progressive check at the end of the text is made too.
TEST(Check, EveryStopOfTheTrainTextIsReadPast) {
  Scenario s;
  s.treno(21, "segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0")
      .treno(23, "segnale,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0")
      .treno(25, "abbattimento, 2600, x")
      .treno(26, "velocita, 20000, 30")
      .treno(27, "abbattimento, 1050, 1")
      .linea(3, "progressiva chilometrica uno,    0,    25,    0", true);
  const EsitoCompilazione e = s.controlla();
  EXPECT_EQ(e.stato, uscita_dati);
  const Problema* primo = si_trova(e, s, {nomi.treno_txt, 21, "cell-taken"});
  ASSERT_NE(primo, nullptr);
  EXPECT_TRUE(primo->ferma_lettura);
  dopo_arresto(e, s, {nomi.treno_txt, 23, "cell-taken"}, nomi.treno_txt, 21);
  dopo_arresto(e, s, {nomi.treno_txt, 25, "unreadable-text"}, nomi.treno_txt, 23);
  dopo_arresto(e, s, {nomi.treno_txt, 26, "beyond-route"}, nomi.treno_txt, 25);
  dopo_arresto(e, s, {nomi.treno_txt, 27, "cell-taken"}, nomi.treno_txt, 26);
  dopo_arresto(e, s, {nomi.linea_txt, 3, "progressive-not-multiple"}, nomi.treno_txt, 27);
  std::size_t errori_25 = 0;
  for (const Problema& p : e.problemi) errori_25 += p.codice == codice::lettura_fallita ? 1 : 0;
  EXPECT_EQ(errori_25, 1u) << "the failed entry is passed over whole";
}

// A stop of the line text leaves the train text unread by a compile; check
// reads on past it and reads the train text too, with the line text's
// objects after the stop in place.
TEST(Check, AStopOfTheLineTextLeavesTheTrainTextChecked) {
  Scenario s;
  s.linea(23, "cartello indicatore, 1050, FINE")
      .linea(24, "cartello indicatore, 1050, FINE")
      .linea(25, "pendenza, 99999999999, 3")
      .linea(26, "cartello indicatore, 2000, B")
      .treno(21, "segnale,    2000,   2, 3, 1,  0, 0,    0,  0,0,0, 0");
  const EsitoCompilazione e = s.controlla();
  EXPECT_EQ(e.stato, uscita_dati);
  const Problema* arresto = si_trova(e, s, {nomi.linea_txt, 23, "cell-taken"});
  ASSERT_NE(arresto, nullptr);
  EXPECT_FALSE(arresto->dopo_arresto);
  dopo_arresto(e, s, {nomi.linea_txt, 24, "cell-taken"}, nomi.linea_txt, 23);
  dopo_arresto(e, s, {nomi.linea_txt, 25, "unreadable-text"}, nomi.linea_txt, 24);
  dopo_arresto(e, s, {nomi.treno_txt, 21, "cell-taken"}, nomi.linea_txt, 25);
  const Problema* errore = si_trova(e, s, {nomi.linea_txt, 25, "unreadable-text"});
  ASSERT_NE(errore, nullptr);
  EXPECT_EQ(errore->luogo.colonna, 11) << "on the value that cannot be read";
}

// The warning on a value: its check, where it stands and what it says.
const Problema* sul_valore(const EsitoCompilazione& e, int riga, int colonna,
                           const std::string& controllo) {
  for (const Problema& p : e.problemi) {
    if (p.luogo.riga == riga && p.luogo.colonna == colonna && p.controllo == controllo) return &p;
  }
  return nullptr;
}

// Values outside the documented rule of their field: each warned on, on the
// value, with what the simulator gets instead; values at the edges of every
// range pass unwarned.
TEST(Check, ValuesAgainstTheRulesOfTheirFields) {
  Scenario s;
  s.linea(16, "pendenza  , 2000   , 200", true)
      .linea(19, "pendenza  , 4200   , 4", true)
      .linea(21, "montagna, 1000, 2000, 300")
      .linea(22, "montagna, 3000, 2500, 5")
      .linea(24, "indicatori_vmax,  1050, 85, 90, 95, 0, 72, 90, 95, 0", true)
      .treno(5, "orologio, 25 70 70", true)
      .treno(8, "aderenza,    2000,    300", true)
      .treno(13, "velocita,    1000,    63", true)
      .treno(14, "velocita,    300,    30", true)
      .treno(21, "segnale,    2300,   3, 3, 1,  1, 4,    2,  0,0,0, 0", true)
      .treno(22, "segnale,    3450,   3, 2, 3,  0, 9,    1,  0,0,0, 0", true)
      .treno(23, "segnale,    5000,   4, 2, 3,  0, 9,    2,  0,0,0, 0");
  const EsitoCompilazione e = s.controlla();
  EXPECT_EQ(e.stato, uscita_ok) << "warnings only";
  const struct {
    int riga, colonna;
    const char* controllo;
  } attesi[] = {{16, 22, "value-range"}, {19, 13, "value-order"}, {21, 23, "value-range"}, {22, 17, "value-order"},
                {24, 40, "value-step"},  {5, 11, "value-range"},  {5, 14, "value-range"},
                {5, 17, "value-range"},  {8, 23, "value-range"},  {13, 23, "value-step"},
                {14, 14, "value-order"}, {21, 40, "value-overflow"}, {22, 40, "value-overflow"},
                {23, 21, "value-range"}};
  for (const auto& a : attesi) {
    EXPECT_NE(sul_valore(e, a.riga, a.colonna, a.controllo), nullptr)
        << a.controllo << " at " << a.riga << ":" << a.colonna;
  }
  const Problema* velocita = sul_valore(e, 13, 23, "value-step");
  ASSERT_NE(velocita, nullptr);
  EXPECT_EQ(velocita->messaggio.substr(0, 37), "63 km/h is stored as 65: speed limits");
  EXPECT_EQ(velocita->luogo.fine, 25);
  ASSERT_TRUE(velocita->correzione.has_value());
  EXPECT_EQ(velocita->correzione->testo, "65");
  EXPECT_EQ(velocita->correzione->colonna, 23);
  EXPECT_NE(sul_valore(e, 8, 23, "value-range")->messaggio.find("stored as 44"), std::string::npos);
  EXPECT_NE(sul_valore(e, 16, 22, "value-range")->messaggio.find("stored as -56"), std::string::npos);
  EXPECT_NE(sul_valore(e, 14, 14, "value-order")->messaggio.find("taken as 1050 m"),
            std::string::npos);
  // Values each within their rules that spill from one field's digits into
  // another's, warned on the field that takes them past; a field outside its
  // own rule has that warning only.
  EXPECT_EQ(sul_valore(e, 21, 40, "value-overflow")->messaggio.substr(0, 61),
            "dx 2 with sx 3 and rapp 4 is stored as sx 0, rapp 5 and dx 1:");
  EXPECT_EQ(sul_valore(e, 22, 40, "value-overflow")->messaggio.substr(0, 62),
            "dx 1 with sx 3 and rapp 9 is stored as sx 0, rapp 10 and dx 0:");
  EXPECT_EQ(std::count_if(e.problemi.begin(), e.problemi.end(),
                          [](const Problema& p) { return p.controllo == "value-overflow"; }),
            2);

  Scenario bordi;
  bordi.linea(23, "indicatori_vmax,  3500, 1600, 0, 90, 9, 95, 0, 90, 9", true)
      .linea(17, "pendenza  , 4000   , 155", true)
      .linea(18, "pendenza  , 4800   , -100", true)
      .linea(21, "montagna, 5000, 5200, 265\r\nmontagna, 6000, 6400, 10")
      .treno(5, "orologio, 23 59 59", true)
      .treno(8, "aderenza,    2000,    255", true)
      .treno(9, "aderenza,    3500,    0", true)
      .treno(14, "velocita,    3300,    1275", true)
      .treno(20, "segnale,    1000,   3, 9, 9,  9, 9,    0,  9,9,9, 255", true)
      .treno(21, "segnale,    2300,   2, 3, 1,  0, 9,    2,  0,0,0, 101", true)
      .treno(23, "abbattimento,    5000,  32767");
  const EsitoCompilazione pulito = bordi.controlla();
  for (const Problema& p : pulito.problemi) {
    ADD_FAILURE() << p.luogo.file << ":" << p.luogo.riga << ": " << p.controllo << ": "
                  << p.messaggio;
  }
}

TEST(Check, ProtectionAndStartRecordErrorsStandOnTheirEntry) {
  Scenario s;
  s.linea(22, "indicatori_vmax,  0, 85, 90, 95, 0, 85, 90, 95, 0");
  const EsitoCompilazione e = s.controlla();
  si_trova(e, s, {nomi.linea_txt, 22, "start-record-taken"});
}

// The built program: statuses, --werror, JSON, and a directory left as found.
TEST(Check, ProgramStatusesJsonAndNothingWritten) {
  Scenario s;
  const std::string d = "'" + s.dir().str() + "'";
  const auto prima = test::file_contents(s.dir().path());
  const test::Run pulito = test::run_program(SCENARI_TOOL, "check " + d);
  EXPECT_EQ(pulito.status, 0);
  EXPECT_NE(pulito.output.find("0 errors, 0 warnings\n"), std::string::npos) << pulito.output;
  const auto risultato = [&d](const std::string& comando) {
    const test::Run r = test::run_program(SCENARI_TOOL, comando + " --json " + d);
    return nlohmann::json::parse(r.output.substr(0, r.output.rfind('}') + 1))["result"];
  };
  EXPECT_EQ(risultato("check"), "clean");
  s.treno(20, "segnlae,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0", true);
  EXPECT_EQ(test::run_program(SCENARI_TOOL, "check " + d).status, 0);
  EXPECT_EQ(test::run_program(SCENARI_TOOL, "check --werror " + d).status, 2);
  EXPECT_EQ(risultato("check"), "warnings");
  const test::TestDirectory uscita("test_check_out");
  const std::string compila_in = "compile " + d + " --out '" + uscita.str() + "'";
  EXPECT_EQ(test::run_program(SCENARI_TOOL, compila_in).status, 0);
  EXPECT_EQ(test::run_program(SCENARI_TOOL, compila_in + " --werror").status, 2);
  EXPECT_EQ(test::file_contents(uscita.path()).size(), 3u) << "--werror still writes the binaries";
  const test::Run testo = test::run_program(SCENARI_TOOL, "check " + d);
  EXPECT_NE(testo.output.find(":20:1: warning[unknown-keyword]"), std::string::npos) << testo.output;
  EXPECT_NE(testo.output.find("this line is not read"), std::string::npos) << testo.output;
  EXPECT_NE(testo.output.find("0 errors, 1 warning\n"), std::string::npos) << testo.output;
  EXPECT_NE(testo.output.find("help: did you mean `segnale`?"), std::string::npos) << testo.output;
  EXPECT_EQ(testo.output.find("\033["), std::string::npos) << "no colour off a terminal";

  s.treno(21, "segnale,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0")
      .treno(23, "segnale,    2310,   2, 3, 1,  0, 0,    0,  0,0,0, 0");
  const test::Run json = test::run_program(SCENARI_TOOL, "check --json " + d);
  EXPECT_EQ(json.status, 2);
  const auto j = nlohmann::json::parse(json.output.substr(0, json.output.rfind('}') + 1));
  EXPECT_EQ(j["status"], 2);
  EXPECT_EQ(j["result"], "errors");
  const auto& errore = j["problems"][1];
  EXPECT_EQ(errore["severity"], "error");
  EXPECT_EQ(errore["code"], 16);
  EXPECT_EQ(errore["line"], 22);
  EXPECT_EQ(errore["column"], 1);
  EXPECT_EQ(errore["position"], 2300);
  EXPECT_EQ(errore["notes"][0]["line"], 21);
  EXPECT_TRUE(j["problems"][0]["code"].is_null());
  EXPECT_TRUE(errore["after_stop"].is_null());
  const auto& dopo = j["problems"][2];
  EXPECT_EQ(dopo["line"], 23);
  EXPECT_EQ(dopo["after_stop"]["line"], 22) << json.output;
  EXPECT_EQ(dopo["after_stop"]["file"], errore["file"]);
  const std::string testo_dopo = test::run_program(SCENARI_TOOL, "check " + d).output;
  EXPECT_NE(testo_dopo.find(":22:1: the reading stops here (code 16)"), std::string::npos)
      << testo_dopo;

  fs::remove(s.dir() / nomi.linea_txt);
  EXPECT_EQ(test::run_program(SCENARI_TOOL, "check " + d).status, 1);
  EXPECT_EQ(test::run_program(SCENARI_TOOL, "check " + d + " --bogus").status, 64);
  for (const auto& [file, byte] : test::file_contents(s.dir().path())) {
    EXPECT_TRUE(prima.contains(file)) << file << " was written";
  }
}

}  // namespace
}  // namespace scenari::tool
