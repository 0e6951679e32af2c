// scenari-tool: compile against the recorded scenarios, what it leaves in
// the directories it is given, dump completeness by re-encoding, refused
// layouts, and the built program's exit statuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "esecuzione/avvio.h"
#include "core/formato/formato_binario.h"
#include "esecuzione/nomi_file.h"
#include "support/ausili.h"
#include "support/piano.h"
#include "tool/compila.h"
#include "tool/diagnostica.h"
#include "tool/dump.h"
#include "tool/esempio.h"
#include "tool/rapporto.h"
#include "tool/stato.h"
#include "support/codice.h"

namespace scenari::tool {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test::file_contents;
using test::read_file;
using test::write_file;

const fs::path casi = SCENARI_CONFORMANCE;
const fs::path attesi_run = casi / "run" / "expected";

// The scratch directories of these cases, named for the program.
class Cartella : public test::TestDirectory {
 public:
  Cartella() : TestDirectory("test_tool") {}
};

OpzioniCompilazione opzioni(const Cartella& dir, const Cartella& uscita) {
  return {dir.str(), uscita.str(), nome_linea_incorporato, numero_treno_incorporato, true};
}

const NomiFile nomi_run = nomi_file("", nome_linea_incorporato, numero_treno_incorporato);
std::string nome(const std::string& percorso) { return fs::path(percorso).filename().string(); }

// ---- compile ----

TEST(Compile, EmbeddedTextsGiveTheRecordedBinariesAndLeaveTheTextsAlone) {
  platform::Files files;
  Cartella dir, uscita;
  scrivi_esempio(files, dir.str(), false);
  const auto prima = file_contents(dir.path());

  const EsitoCompilazione e = compila(opzioni(dir, uscita), files);

  EXPECT_EQ(e.stato, uscita_ok);
  EXPECT_TRUE(e.problemi.empty());
  EXPECT_EQ(file_contents(dir.path()), prima) << "DIR must not change when --out points elsewhere";
  const auto scritti = file_contents(uscita.path());
  ASSERT_EQ(scritti.size(), 3u);
  for (const auto& [file, byte] : scritti) {
    EXPECT_EQ(byte, read_file(attesi_run / file)) << file;
  }
  ASSERT_EQ(e.scritti.size(), 3u);
  EXPECT_EQ(e.scritti[0].byte, 279964u);
  EXPECT_EQ(e.scritti[1].byte, 3016u);
  EXPECT_EQ(e.scritti[2].byte, 4215u);
}

// Writes the embedded texts into `dir`, then puts `riga` at the start of
// `sezione` of one of them.
void testo_con(platform::Files& files, const Cartella& dir, const std::string& file,
               const std::string& sezione, const std::string& riga) {
  scrivi_esempio(files, dir.str(), false);
  const fs::path percorso = dir / nome(file);
  std::string testo = read_file(percorso);
  const std::string titolo = sezione + "\r\n";
  testo.insert(testo.find(titolo) + titolo.size(), riga + "\r\n");
  write_file(percorso, testo);
}

TEST(Compile, DataProblemIsReportedWithTextLineAndPosition) {
  platform::Files files;
  Cartella dir, uscita;
  // A second signal on the cell of the first one: code 16 at 1000 m.
  testo_con(files, dir, nomi_run.treno_txt, "[segnali]",
            "segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0");

  const EsitoCompilazione e = compila(opzioni(dir, uscita), files);

  EXPECT_EQ(e.stato, uscita_dati);
  ASSERT_EQ(e.problemi.size(), 1u) << "the signals after the stop hold no mistake";
  EXPECT_EQ(e.problemi[0].codice, codice::cella_segnale_occupata);
  EXPECT_EQ(e.problemi[0].luogo, (Luogo{platform::join(dir.str(), nome(nomi_run.treno_txt)), 21, 1, 8}));
  EXPECT_EQ(e.problemi[0].posizione, 1000);
  std::ostringstream testo;
  scrivi_diagnostica(testo, e.problemi[0], e.sorgenti);
  EXPECT_EQ(testo.str(), platform::join(dir.str(), nome(nomi_run.treno_txt)) +
                             ":21:1: error[16]: signal cell already taken (at 1000 m)\n"
                             " 21 | segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0\n"
                             "    | ^~~~~~~\n"
                             "note: " + platform::join(dir.str(), nome(nomi_run.treno_txt)) +
                             ":20:1: the signal of this entry holds cell 21\n"
                             "help: move the signal at least 50 m away from the object that "
                             "holds its cell\n");
  EXPECT_EQ(file_contents(uscita.path()).size(), 3u) << "a data problem still writes the binaries";
}

TEST(Compile, EveryProblemIsReportedInTextOrder) {
  platform::Files files;
  Cartella dir, uscita;
  // A board past the last accepted position ends the line text with code
  // 15; the train text is still read, and its end finds a progressive value
  // that is not a multiple of 50 (code 2), reported on the value, first.
  testo_con(files, dir, nomi_run.linea_txt, "[indicazioni]", "cartello indicatore, 13901, FINE");
  std::string linea = read_file(dir / nome(nomi_run.linea_txt));
  linea.replace(linea.find("uno,    0,    0"), 15, "uno,  100,   25");
  write_file(dir / nome(nomi_run.linea_txt), linea);
  std::string treno = read_file(dir / nome(nomi_run.treno_txt));
  treno.erase(treno.find("segnale,"), treno.find("[codici]") - treno.find("segnale,"));
  write_file(dir / nome(nomi_run.treno_txt), treno);

  const EsitoCompilazione e = compila(opzioni(dir, uscita), files);

  EXPECT_EQ(e.stato, uscita_dati);
  ASSERT_EQ(e.problemi.size(), 3u);
  const std::string linea_txt = platform::join(dir.str(), nome(nomi_run.linea_txt));
  EXPECT_EQ(e.problemi[0].codice, codice::progressiva_non_multipla);
  EXPECT_EQ(e.problemi[0].luogo, (Luogo{linea_txt, 3, 39, 41})) << "on the second value, 25";
  EXPECT_EQ(e.problemi[0].posizione, std::nullopt);
  ASSERT_EQ(e.problemi[0].note.size(), 1u);
  EXPECT_EQ(e.problemi[0].note[0].luogo.file, platform::join(dir.str(), nome(nomi_run.treno_txt)))
      << "where the format finds it";
  EXPECT_EQ(e.problemi[1].codice, codice::oltre_percorso);
  EXPECT_EQ(e.problemi[1].luogo, (Luogo{linea_txt, 25, 1, 20}));
  EXPECT_EQ(e.problemi[1].posizione, 13901);
  EXPECT_EQ(e.problemi[2].controllo, "beyond-route-length");
}

TEST(Compile, FatalStartRecordWritesNothingAndKeepsOlderFiles) {
  platform::Files files;
  Cartella dir, uscita;
  // A speed board at 0 m lies in cell 1 with a non-zero first value.
  testo_con(files, dir, nomi_run.linea_txt, "[cartelli]",
            "indicatori_vmax,  0, 85, 90, 95, 0, 85, 90, 95, 0");
  write_file(uscita / nome(nomi_run.dat), "older");

  const EsitoCompilazione e = compila(opzioni(dir, uscita), files);

  EXPECT_EQ(e.stato, uscita_errore_fatale);
  ASSERT_EQ(e.problemi.size(), 1u);
  EXPECT_TRUE(e.problemi[0].errore());
  EXPECT_EQ(e.problemi[0].codice, codice::partenza_primo_valore);
  EXPECT_EQ(e.problemi[0].posizione, 50);
  EXPECT_EQ(file_contents(uscita.path()),
            (std::map<std::string, std::string>{{nome(nomi_run.dat), "older"}}));
}

TEST(Compile, NoRouteAndMissingTextsWriteNothing) {
  platform::Files files;
  struct Caso {
    const char* nome;
    std::string linea;  // empty: no line text at all
    int stato;
  };
  const Caso casi_tabella[] = {
      {"line text without a length", "[generale]\r\nsfondo uno,    1\r\n[fine]\r\n",
       uscita_senza_percorso},
      {"line text missing", "", uscita_errore_file},
  };
  for (const auto& caso : casi_tabella) {
    SCOPED_TRACE(caso.nome);
    Cartella dir, uscita;
    scrivi_esempio(files, dir.str(), false);
    const fs::path linea = dir / nome(nomi_run.linea_txt);
    if (caso.linea.empty()) {
      fs::remove(linea);
    } else {
      write_file(linea, caso.linea);
    }
    const EsitoCompilazione e = compila(opzioni(dir, uscita), files);
    EXPECT_EQ(e.stato, caso.stato);
    EXPECT_FALSE(e.messaggio.empty());
    EXPECT_TRUE(file_contents(uscita.path()).empty());
  }
}

TEST(Compile, FailedMoveLeavesNoPartialOrTemporaryFile) {
  platform::Files files;
  // A rename that fails half-way through moving the binaries out.
  test::FaultyFiles guasto(test::fail_on(platform::Operation::rename, ".sim"));
  Cartella dir, uscita;
  scrivi_esempio(files, dir.str(), false);
  write_file(uscita / nome(nomi_run.sim), "older sim");

  const EsitoCompilazione e = compila(opzioni(dir, uscita), guasto);

  EXPECT_EQ(e.stato, uscita_errore_file);
  for (const auto& [file, byte] : file_contents(uscita.path())) {
    EXPECT_EQ(file.find(".tmp-"), std::string::npos) << file;
    if (file == nome(nomi_run.sim)) {
      EXPECT_EQ(byte, "older sim");
    }
  }
}

TEST(Texts, RefusesToReplaceTheUsersTextsUnlessForced) {
  platform::Files files;
  Cartella dir;
  scrivi_esempio(files, dir.str(), false);
  write_file(dir / nome(nomi_run.linea_txt), "my edits");
  EXPECT_THROW(scrivi_esempio(files, dir.str(), false), Rifiuto);
  EXPECT_EQ(read_file(dir / nome(nomi_run.linea_txt)), "my edits");
  scrivi_esempio(files, dir.str(), true);
  EXPECT_NE(read_file(dir / nome(nomi_run.linea_txt)), "my edits");
}

// ---- dump ----

// The test side of the round trip: the dump's JSON read back into the
// model's records, Windows-1252 names restored from UTF-8.
std::string cp1252_da_utf8(const std::string& utf8) {
  static const std::u32string blocco_80 =
      U"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D"
      U"\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
      U"\u0153\u009D\u017E\u0178";
  std::string uscita;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : 3;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : (b & 0x0F);
    for (int k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += static_cast<std::size_t>(n);
    const auto p = blocco_80.find(c);
    uscita.push_back(static_cast<char>(p != std::u32string::npos ? 0x80 + p : c));
  }
  return uscita;
}

std::string ricodifica(TipoFile tipo, const json& j) {
  switch (tipo) {
    case TipoFile::celle: {
      std::vector<cella> celle;
      for (const auto& c : j["cells"]) {
        celle.push_back({c["tipo"], c["dato1"], c["dato2"], c["dato3"], c["dato4"],
                         c["tempo_segnale"], c["avvicinamento"], c["montagna"],
                         c["velocita_limite"], c["pendenza"], c["aderenza"]});
      }
      return codifica_celle(celle);
    }
    case TipoFile::tabella: {
      std::array<voce_tabella, numero_voci> t;
      for (const auto& v : j["records"]) {
        t.at(v["record"]) = {v["tipo"],    v["valore1"], v["valore2"], v["valore3"],
                             v["opzione"], cp1252_da_utf8(v["nome"]), v["intero1"],
                             v["intero2"], v["intero3"], v["intero4"], v["intero5"],
                             v["byte1"],   v["byte2"],   v["byte3"],   v["byte4"],
                             v["valore4"]};
      }
      return codifica_tabella(t);
    }
    case TipoFile::planimetria: {
      Planimetria p;
      p.crea(static_cast<std::int32_t>(j["points"].size()) - 1);
      auto valore = [](const json& e) -> valore_piano {
        if (e["kind"] == "integer") return e["value"].get<std::int16_t>();
        if (e["kind"] == "double") return e["value"].get<double>();
        return std::monostate{};
      };
      for (const auto& punto : j["points"]) {
        p.poni_x(punto["point"], valore(punto["x"]));
        p.poni_y(punto["point"], valore(punto["y"]));
      }
      return test::codifica_piano(p);
    }
  }
  return {};
}

std::string testo_dump_json(TipoFile tipo, std::string_view byte, const Selezione& selezione = {}) {
  std::ostringstream out;
  scrivi_dump_json(out, tipo, byte, selezione);
  return out.str();
}

// Printed piece by piece, the JSON is laid out as the whole document would
// be, and holds every member.
TEST(Dump, JsonHoldsEveryMemberOfEachFile) {
  for (const std::string& file : {nome(nomi_run.linea_dat), nome(nomi_run.sim), nome(nomi_run.dat)}) {
    SCOPED_TRACE(file);
    const std::string byte = read_file(attesi_run / file);
    const TipoFile tipo = tipo_da_nome(file);
    const std::string testo = testo_dump_json(tipo, byte);
    const json j = json::parse(testo);
    EXPECT_EQ(testo_json(j), testo);
    EXPECT_EQ(ricodifica(tipo, j), byte);
    if (tipo != TipoFile::tabella) {
      const std::string nessuno = testo_dump_json(tipo, byte, {.da = 10, .a = 5});
      EXPECT_EQ(testo_json(json::parse(nessuno)), nessuno);
    }
  }
}

TEST(Dump, NamesWithEveryWindows1252ByteSurviveTheRoundTrip) {
  std::array<voce_tabella, numero_voci> t{};
  for (int b = 1; b < 256; ++b) t[1].nome.push_back(static_cast<char>(b));
  const std::string byte = codifica_tabella(t);
  const json j = json::parse(testo_dump_json(TipoFile::tabella, byte));
  EXPECT_EQ(ricodifica(TipoFile::tabella, j), byte);
}

TEST(Dump, CellTableShowsMetresSpeedAndGradient) {
  std::ostringstream out;
  scrivi_dump_testo(out, TipoFile::celle, read_file(attesi_run / nome(nomi_run.dat)));
  std::string riga;
  std::istringstream righe(out.str());
  for (int i = 0; i <= 22; ++i) std::getline(righe, riga);  // header, then cells 0..21
  // Cell 21, the first signal, typed at 1000 m: 90 km/h, gradient -7, adhesion 100.
  std::istringstream campi(riga);
  std::vector<std::string> v{std::istream_iterator<std::string>(campi), {}};
  ASSERT_GE(v.size(), 14u) << riga;
  EXPECT_EQ(v[0], "21");
  EXPECT_EQ(v[1], "1000");
  EXPECT_EQ(v[2] + " " + v[3], "1 signal");
  EXPECT_EQ(v[11], "90");
  EXPECT_EQ(v[12], "-7");
  EXPECT_EQ(v[13], "100");
}

TEST(Dump, RefusesBytesThatDoNotFitTheLayout) {
  const std::string dat = read_file(attesi_run / nome(nomi_run.dat));
  const std::string sim = read_file(attesi_run / nome(nomi_run.sim));
  const std::string piano = read_file(attesi_run / nome(nomi_run.linea_dat));
  struct Caso {
    const char* nome;
    TipoFile tipo;
    std::string byte;
  };
  const Caso casi_tabella[] = {
      {"cells one byte short", TipoFile::celle, dat.substr(0, dat.size() - 1)},
      {"no cells", TipoFile::celle, ""},
      {"table one byte long", TipoFile::tabella, sim + "x"},
      {"table cut inside a name", TipoFile::tabella, sim.substr(0, 60)},
      {"plan ends inside a value", TipoFile::planimetria, piano.substr(0, piano.size() - 3)},
      {"plan with an unknown tag", TipoFile::planimetria, std::string("\x07\x00", 2) + piano},
  };
  for (const auto& c : casi_tabella) {
    SCOPED_TRACE(c.nome);
    std::ostringstream out;
    EXPECT_THROW(scrivi_dump_json(out, c.tipo, c.byte), FormatoNonValido);
    EXPECT_EQ(out.str(), "") << "nothing printed before the refusal";
    EXPECT_THROW(scrivi_dump_testo(out, c.tipo, c.byte), FormatoNonValido);
  }
}

TEST(Dump, KindFromTheName) {
  EXPECT_EQ(tipo_da_nome("a/Route_linea.dat"), TipoFile::planimetria);
  EXPECT_EQ(tipo_da_nome("Route_1.sim"), TipoFile::tabella);
  EXPECT_EQ(tipo_da_nome("Route_1.dat"), TipoFile::celle);
  EXPECT_THROW(tipo_da_nome("Route_linea.txt"), Rifiuto);
}

// ---- the built program ----

int esegui(const std::string& argomenti) { return test::run_program(SCENARI_TOOL, argomenti).status; }

TEST(Program, ExitStatuses) {
  Cartella dir;
  write_file(dir / "short.dat", std::string(14, '\0'));
  const std::string d = "'" + dir.str() + "'";
  struct Caso {
    std::string argomenti;
    int stato;
  };
  for (const auto& c : {Caso{"--help", 0}, Caso{"compile --help", 0}, Caso{"--version", 0},
                        Caso{"", uscita_uso}, Caso{"compile", uscita_uso},
                        Caso{"dump " + d + "/x.txt", uscita_uso},
                        Caso{"dump " + d + "/short.dat", uscita_dati},
                        Caso{"compile " + d, uscita_errore_file},
                        Caso{"texts " + d, uscita_ok},
                        Caso{"compile " + d + " --no-plan", uscita_ok},
                        Caso{"plot " + d + " --out " + d + "/p.svg", uscita_ok}}) {
    EXPECT_EQ(esegui(c.argomenti), c.stato) << c.argomenti;
  }
  EXPECT_FALSE(fs::exists(dir / nome(nomi_run.linea_dat))) << "--no-plan wrote a plan file";
}

// compile --out creates the directory; dump and plot refuse a range that
// holds nothing; check and compile under --json print one object whatever
// the status, the directory named as it was written.
TEST(Program, OutDirectoryEmptyRangesAndOneJsonObject) {
  Cartella dir;
  const std::string d = "'" + dir.str() + "'";
  ASSERT_EQ(esegui("texts " + d), uscita_ok);
  const fs::path uscita = dir / "nuova" / "sotto";
  ASSERT_EQ(esegui("compile " + d + " --out '" + uscita.string() + "'"), uscita_ok);
  EXPECT_TRUE(fs::exists(uscita / nome(nomi_run.dat)));
  const std::string dat = "'" + (uscita / nome(nomi_run.dat)).string() + "'";
  EXPECT_EQ(esegui("dump " + dat + " --from 100 --to 50"), uscita_uso);
  EXPECT_EQ(esegui("dump " + dat + " --from 50 --to 50"), uscita_ok);
  EXPECT_EQ(esegui("plot '" + uscita.string() + "' --from 2 --to 1"), uscita_uso);
  EXPECT_EQ(esegui("plot '" + uscita.string() + "' --from 2 --to 2"), uscita_uso);

  const std::string nope = test::run_program(SCENARI_TOOL, "check nope").output;
  EXPECT_EQ(nope, "scenari-tool: nope: no such directory\n");
  for (const char* comando : {"check", "compile"}) {
    SCOPED_TRACE(comando);
    std::set<std::string> chiavi_attese;
    for (const auto& [argomenti, stato] :
         std::vector<std::pair<std::string, int>>{{d, uscita_ok},
                                                  {"nope", uscita_errore_file},
                                                  {d + " --jsn", uscita_uso},
                                                  {d + " --line a/b", uscita_uso}}) {
      SCOPED_TRACE(argomenti);
      // The object follows what standard error says.
      const std::string testo =
          test::run_program(SCENARI_TOOL, std::string(comando) + " " + argomenti + " --json").output;
      const json j = json::parse(testo.substr(std::min(testo.find("\n{"), testo.find('{'))), nullptr, false);
      ASSERT_TRUE(j.is_object()) << testo;
      EXPECT_EQ(j["status"], stato);
      std::set<std::string> chiavi;
      for (const auto& [k, v] : j.items()) {
        if (k != "message") chiavi.insert(k);
      }
      if (chiavi_attese.empty()) chiavi_attese = chiavi;
      EXPECT_EQ(chiavi, chiavi_attese);
      EXPECT_EQ(j.contains("message"), stato != uscita_ok);
    }
    EXPECT_TRUE(chiavi_attese.count("problems") != 0 && chiavi_attese.count("route") != 0);
  }
}

}  // namespace
}  // namespace scenari::tool
