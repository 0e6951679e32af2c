// scenari-tool lsp: a scripted client on the server's messages, the
// diagnostics of a scenario's two texts, field help, completion, outline
// and definition, positions in UTF-16 units, the framing, the protocol's
// errors, and the built program's exit statuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "esecuzione/avvio.h"
#include "core/modello/nomi_file.h"
#include "support/ausili.h"
#include "tool/cp1252.h"
#include "tool/esempio.h"
#include "tool/lsp/cornice.h"
#include "tool/lsp/disco_sistema.h"
#include "tool/lsp/righe.h"
#include "tool/lsp/server.h"
#include "tool/lsp/uri.h"
#include "tool/riferimento/markdown.h"
#include "tool/verifica/analisi.h"

namespace scenari::lsp {
namespace {

using nlohmann::json;

const NomiFile nomi = nomi_file(nome_linea_incorporato, numero_treno_incorporato);

std::string senza_riga(std::string testo, const std::string& cercata, const std::string& nuova) {
  const std::size_t i = testo.find(cercata);
  return i == std::string::npos ? testo : testo.replace(i, cercata.size(), nuova);
}

// The parameters of a whole-text change.
json cambio(const std::string& uri, const std::string& testo) {
  json p;
  p["textDocument"] = {{"uri", uri}, {"version", 2}};
  p["contentChanges"] = json::array({json{{"text", testo}}});
  return p;
}

// A client on the embedded scenario's texts in a scratch directory; the
// texts it opens are UTF-8, as an editor holds them.
class Client {
 public:
  explicit Client(bool snippet = true) {
    tool::scrivi_esempio(files_, dir_.str(), false);
    json capacita;
    capacita["textDocument"]["completion"]["completionItem"]["snippetSupport"] = snippet;
    invia({{"id", 0}, {"method", "initialize"}, {"params", {{"capabilities", capacita}}}});
    invia({{"method", "initialized"}, {"params", json::object()}});
  }

  std::string uri(const std::string& file) const { return uri_da_percorso((dir_ / file).string()); }
  std::string testo(const std::string& file) const {
    return tool::utf8_da_1252(test::read_file(dir_ / file));
  }
  const test::TestDirectory& dir() const { return dir_; }

  std::vector<json> invia(json messaggio) {
    messaggio["jsonrpc"] = "2.0";
    return leggi(server_.ricevi(messaggio.dump()));
  }
  std::vector<json> a_riposo() { return leggi(server_.a_riposo()); }

  std::vector<json> apri(const std::string& file, const std::string& testo) {
    const json documento = {
        {"uri", uri(file)}, {"languageId", "scenari"}, {"version", 1}, {"text", testo}};
    return invia({{"method", "textDocument/didOpen"}, {"params", {{"textDocument", documento}}}});
  }
  std::vector<json> cambia(const std::string& file, const std::string& testo) {
    return invia({{"method", "textDocument/didChange"}, {"params", cambio(uri(file), testo)}});
  }
  json chiedi(const std::string& metodo, const std::string& file, int linea, int carattere) {
    json parametri;
    parametri["textDocument"]["uri"] = uri(file);
    parametri["position"] = {{"line", linea}, {"character", carattere}};
    const std::vector<json> r = invia({{"id", ++id_}, {"method", metodo}, {"params", parametri}});
    return r.empty() ? json() : r.back();
  }

  Server& server() { return server_; }

 private:
  static std::vector<json> leggi(const std::vector<std::string>& corpi) {
    std::vector<json> v;
    for (const std::string& c : corpi) v.push_back(json::parse(c));
    return v;
  }

  test::TestDirectory dir_{"test_lsp"};
  platform::Files files_;
  DiscoDelSistema disco_{files_};
  Server server_{disco_, "file:///doc/testi.md"};
  int id_ = 0;
};

// The diagnostics published for `uri` among `messaggi`, the last of them.
json diagnostiche_di(const std::vector<json>& messaggi, const std::string& uri) {
  json trovate;
  for (const json& m : messaggi) {
    if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri) {
      trovate = m["params"]["diagnostics"];
    }
  }
  return trovate;
}

bool su_linea(const json& diagnostiche, int linea, const json& codice) {
  for (const json& d : diagnostiche) {
    if (d["range"]["start"]["line"] == linea && d["code"] == codice) return true;
  }
  return false;
}

// The issue's scripted session: a misspelled keyword and its fix, help on a
// station field, completion on an empty line, shutdown and exit.
TEST(Lsp, ScriptedSessionFromMistakeToFix) {
  Client c;
  const std::string giusto = c.testo(nomi.treno_txt);
  const std::string sbagliato = senza_riga(giusto, "segnale,    2300", "segnalle,    2300");
  const auto aperto = c.apri(nomi.treno_txt, sbagliato);
  const json prima = diagnostiche_di(aperto, c.uri(nomi.treno_txt));
  EXPECT_TRUE(su_linea(prima, 20, "unknown-keyword")) << prima.dump(1);
  EXPECT_FALSE(diagnostiche_di(aperto, c.uri(nomi.linea_txt)).is_null()) << "the partner too";

  EXPECT_TRUE(c.cambia(nomi.treno_txt, giusto).empty()) << "changes wait for the input to pause";
  const json dopo = diagnostiche_di(c.a_riposo(), c.uri(nomi.treno_txt));
  ASSERT_TRUE(dopo.is_array());
  EXPECT_FALSE(su_linea(dopo, 20, "unknown-keyword")) << dopo.dump(1);
  EXPECT_TRUE(c.a_riposo().empty()) << "published once";

  // "stazione,    4500,  2,  600, ...": the platform length.
  const json hover = c.chiedi("textDocument/hover", nomi.treno_txt, 16, 25);
  const std::string aiuto = hover["result"]["contents"]["value"];
  EXPECT_NE(aiuto.find("platform length"), std::string::npos) << aiuto;
  EXPECT_NE(aiuto.find("multiple of 100"), std::string::npos) << aiuto;
  EXPECT_EQ(hover["result"]["range"]["start"]["character"], 24);

  c.cambia(nomi.treno_txt, senza_riga(giusto, "[segnali]\r\n", "[segnali]\r\n\r\n"));
  const json completamento = c.chiedi("textDocument/completion", nomi.treno_txt, 19, 0);
  const auto& voci = completamento["result"];
  const auto segnale =
      std::find_if(voci.begin(), voci.end(), [](const json& v) { return v["label"] == "segnale"; });
  ASSERT_NE(segnale, voci.end()) << completamento.dump(1);
  EXPECT_EQ((*segnale)["insertTextFormat"], 2);
  EXPECT_EQ((*segnale)["textEdit"]["newText"].get<std::string>().substr(0, 31),
            "segnale, ${1:position}, ${2:sx}");

  const json spento = c.invia({{"id", 99}, {"method", "shutdown"}}).back();
  EXPECT_TRUE(spento.contains("result") && spento["result"].is_null());
  c.invia({{"method", "exit"}});
  EXPECT_TRUE(c.server().finito());
  EXPECT_EQ(c.server().stato_uscita(), 0);
}

// A taken cell points at the entry holding it, as related information and
// as the definition; the line text's problems come with the train text's;
// an open buffer counts before its file.
TEST(Lsp, ScenarioDiagnosticsNotesAndDefinition) {
  Client c;
  const std::string treno = senza_riga(c.testo(nomi.treno_txt), "segnale,    2300",
                                       "segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0\r\n"
                                       "segnale,    1000");
  const json d = diagnostiche_di(c.apri(nomi.treno_txt, treno), c.uri(nomi.treno_txt));
  ASSERT_TRUE(su_linea(d, 20, 16)) << d.dump(1);
  const json& cella =
      *std::find_if(d.begin(), d.end(), [](const json& x) { return x["code"] == 16; });
  EXPECT_EQ(cella["severity"], 1);
  EXPECT_EQ(cella["data"]["check"], "cell-taken");
  // The code's row of the reference, where its link lands.
  EXPECT_EQ(cella["codeDescription"]["href"], "file:///doc/testi.md#code-16");
  EXPECT_NE(riferimento::markdown().find("| <a id=\"code-16\"></a>16 |"), std::string::npos);
  // The third signal on the cell lies past the stop: found by reading on,
  // the stop its related information.
  const json& dopo = *std::find_if(d.begin(), d.end(), [](const json& x) {
    return x["code"] == 16 && x["range"]["start"]["line"] == 21;
  });
  ASSERT_TRUE(dopo.is_object()) << d.dump(1);
  EXPECT_EQ(dopo["relatedInformation"].back()["location"]["range"]["start"]["line"], 20);
  const json& nota = cella["relatedInformation"][0]["location"];
  EXPECT_EQ(nota["uri"], c.uri(nomi.treno_txt));
  EXPECT_EQ(nota["range"]["start"]["line"], 19);

  const json definizione = c.chiedi("textDocument/definition", nomi.treno_txt, 20, 3);
  EXPECT_EQ(definizione["result"][0], nota);
  EXPECT_TRUE(c.chiedi("textDocument/definition", nomi.treno_txt, 2, 0)["result"].is_null());

  // The line text opened and spoiled in its buffer, its file untouched.
  const std::string linea = senza_riga(c.testo(nomi.linea_txt), "pendenza", "pendnza");
  const auto aperta = c.apri(nomi.linea_txt, linea);
  const json della_linea = diagnostiche_di(aperta, c.uri(nomi.linea_txt));
  ASSERT_FALSE(della_linea.empty());
  // A warning's link lands on its row of the warnings.
  EXPECT_EQ(della_linea[0]["codeDescription"]["href"], "file:///doc/testi.md#warning-unknown-keyword");
  EXPECT_NE(riferimento::markdown().find("| <a id=\"warning-unknown-keyword\"></a>`unknown-keyword` |"),
            std::string::npos);
  EXPECT_TRUE(su_linea(diagnostiche_di(aperta, c.uri(nomi.treno_txt)), 20, 16));

  // Closed, the line text is read from its file again.
  const auto chiusa = c.invia({{"method", "textDocument/didClose"},
                               {"params", {{"textDocument", {{"uri", c.uri(nomi.linea_txt)}}}}}});
  EXPECT_TRUE(diagnostiche_di(chiusa, c.uri(nomi.linea_txt)).empty());
}

TEST(Lsp, TextAloneAndTextsOfNoScenario) {
  Client c;
  std::filesystem::remove(c.dir() / nomi.linea_txt);
  const json d =
      diagnostiche_di(c.apri(nomi.treno_txt, c.testo(nomi.treno_txt)), c.uri(nomi.treno_txt));
  EXPECT_TRUE(su_linea(d, 0, "missing-text")) << d.dump(1);
  EXPECT_TRUE(c.apri("appunti.txt", "segnalle").empty());
  EXPECT_TRUE(c.chiedi("textDocument/hover", "appunti.txt", 0, 0)["result"].is_null());
}

// Columns count Windows-1252 characters; the protocol counts UTF-16 units,
// two for a character past U+FFFF (which the text stores as one '?').
TEST(Lsp, PositionsInUtf16Units) {
  Client c;
  const std::string riga =
      "stazione,    4500,  2,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   8, 9, 0, "
      "LAGO \xF0\x9F\x98\x80 \xC3\xA8\x01";
  const std::string treno = senza_riga(
      c.testo(nomi.treno_txt),
      "stazione,    4500,  2,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   8, 9, 0, LAGO MARINELLA",
      riga);
  const json d = diagnostiche_di(c.apri(nomi.treno_txt, treno), c.uri(nomi.treno_txt));
  ASSERT_TRUE(su_linea(d, 16, "unprintable-byte")) << d.dump(1);
  // 72 characters of the line, then "LAGO " 5, the emoji 2 units, " è" 2.
  for (const json& x : d) {
    if (x["code"] == "unprintable-byte") {
      EXPECT_EQ(x["range"]["start"]["character"], 72 + 5 + 2 + 2);
    }
  }
  // Help on the station's name, after the emoji.
  const json h = c.chiedi("textDocument/hover", nomi.treno_txt, 16, 80);
  EXPECT_NE(h["result"]["contents"]["value"].get<std::string>().find("**name**"),
            std::string::npos);

  EXPECT_EQ(tool::cp1252_da_utf8("\xE2\x82\xAC \xC3\xA8 \xF0\x9F\x98\x80 \xE4\xB8\xAD \xC3 \xFF"),
            "\x80 \xE8 ? ? ? ?");
  std::string tutti;
  for (int b = 0; b < 256; ++b) tutti.push_back(static_cast<char>(b));
  EXPECT_EQ(tool::cp1252_da_utf8(tool::utf8_da_1252(tutti)), tutti);
}

TEST(Lsp, FieldHelpFromTheReference) {
  Client c;
  c.apri(nomi.treno_txt, c.testo(nomi.treno_txt));
  const auto testo = [&](int linea, int carattere) {
    const json r = c.chiedi("textDocument/hover", nomi.treno_txt, linea, carattere)["result"];
    return r.is_null() ? std::string() : r["contents"]["value"].get<std::string>();
  };
  EXPECT_NE(testo(20, 2).find("**segnale**: A signal."), std::string::npos);
  EXPECT_NE(testo(18, 3).find("**[segnali]**"), std::string::npos);
  // "orologio,    7               59            47 ": blanks part the values.
  EXPECT_NE(testo(4, 13).find("**hours**"), std::string::npos);
  EXPECT_NE(testo(4, 30).find("**minutes**"), std::string::npos);
  EXPECT_NE(testo(4, 43).find("**seconds**"), std::string::npos);
  EXPECT_NE(testo(20, 13).find("**position** (m)"), std::string::npos);
  EXPECT_EQ(testo(30, 0), "") << "past the end";

  c.cambia(nomi.treno_txt, "[generale]\r\nsabbia, 0, 7\r\n");
  EXPECT_NE(testo(1, 11).find("extra value"), std::string::npos);
}

TEST(Lsp, CompletionOnlyInTheKeywordField) {
  Client c(false);
  c.apri(nomi.linea_txt, "[generale]\r\n  lung\r\nsegn, 100\r\n[cur");
  const json r = c.chiedi("textDocument/completion", nomi.linea_txt, 1, 6)["result"];
  const auto lunghezza = std::find_if(
      r.begin(), r.end(), [](const json& v) { return v["label"] == "lunghezza percorso"; });
  ASSERT_NE(lunghezza, r.end());
  EXPECT_EQ((*lunghezza)["textEdit"]["newText"], "lunghezza percorso") << "no snippets asked";
  EXPECT_EQ((*lunghezza)["textEdit"]["range"]["start"]["character"], 2);
  EXPECT_TRUE(std::none_of(r.begin(), r.end(), [](const json& v) {
    return v["label"] == "segnale";
  })) << "the line text's own entries";
  EXPECT_TRUE(c.chiedi("textDocument/completion", nomi.linea_txt, 2, 7)["result"].empty());
  const json sezioni = c.chiedi("textDocument/completion", nomi.linea_txt, 3, 4)["result"];
  EXPECT_EQ(sezioni[0]["textEdit"]["range"]["start"]["character"], 0);
  EXPECT_EQ(sezioni[0]["textEdit"]["newText"], "[generale]");
}

// Inlay hints name each value's field; completion inside the values gives
// the field with the template's example, and the rest of the entry where the
// line ends.
TEST(Lsp, FieldNamesInlineAndCompletionInsideValues) {
  Client c;
  c.apri(nomi.treno_txt, senza_riga(c.testo(nomi.treno_txt), "[codici]", "segnale,  25\r\n[codici]"));
  json parametri;
  parametri["textDocument"]["uri"] = c.uri(nomi.treno_txt);
  parametri["range"] = {{"start", {{"line", 4}, {"character", 0}}},
                        {"end", {{"line", 16}, {"character", 0}}}};
  const json nomi_campi =
      c.invia({{"id", 5}, {"method", "textDocument/inlayHint"}, {"params", parametri}}).back()["result"];
  std::vector<std::string> sulla_16;
  for (const json& h : nomi_campi) {
    if (h["position"]["line"] == 16) sulla_16.push_back(h["label"]);
  }
  ASSERT_EQ(sulla_16.size(), 17u) << nomi_campi.dump(1);
  EXPECT_EQ(sulla_16.front(), "position:");
  EXPECT_EQ(sulla_16.back(), "name:");
  // "orologio,    7               59            47 ": three values apart.
  EXPECT_EQ(nomi_campi[1]["label"], "minutes:");
  EXPECT_EQ(nomi_campi[1]["position"], json({{"line", 4}, {"character", 29}}));
  EXPECT_TRUE(std::all_of(nomi_campi.begin(), nomi_campi.end(), [](const json& h) {
    return h["position"]["line"] >= 4 && h["position"]["line"] <= 16;
  }));

  const auto completa = [&](int linea, int carattere) {
    return c.chiedi("textDocument/completion", nomi.treno_txt, linea, carattere)["result"];
  };
  const json posizione = completa(20, 14);
  ASSERT_EQ(posizione.size(), 1u) << "values follow on the line: no snippet";
  EXPECT_EQ(posizione[0]["label"], "1000");
  EXPECT_EQ(posizione[0]["detail"], "position (m), 0 to L + 6900");
  EXPECT_EQ(posizione[0]["textEdit"]["range"]["start"]["character"], 12);
  const json resto = completa(22, 12);
  ASSERT_EQ(resto.size(), 2u) << resto.dump(1);
  EXPECT_EQ(resto[1]["textEdit"]["newText"].get<std::string>().substr(0, 20), "${1:25}, ${2:2}, ${3");
  EXPECT_EQ(completa(20, 19)[0]["label"], "2") << "after the position, the next field";
}

// The edits of `modifiche` applied to a UTF-8 text of CR LF lines, the
// last first so that each range still holds.
std::string applica(const std::string& testo, std::vector<json> modifiche) {
  std::vector<std::string> righe;
  for (std::size_t i = 0;;) {
    const std::size_t fine = testo.find("\r\n", i);
    righe.push_back(testo.substr(i, fine == std::string::npos ? std::string::npos : fine - i));
    if (fine == std::string::npos) break;
    i = fine + 2;
  }
  const auto dove = [](const json& m) {
    return std::pair<int, int>(m["range"]["start"]["line"], m["range"]["start"]["character"]);
  };
  std::sort(modifiche.begin(), modifiche.end(),
            [&](const json& a, const json& b) { return dove(a) > dove(b); });
  for (const json& m : modifiche) {
    std::string& riga = righe[m["range"]["start"]["line"].get<std::size_t>()];
    const std::size_t da = byte_da_utf16(riga, m["range"]["start"]["character"]);
    const std::size_t a = byte_da_utf16(riga, m["range"]["end"]["character"]);
    riga.replace(da, a - da, m["newText"].get<std::string>());
  }
  std::string r;
  for (std::size_t i = 0; i < righe.size(); ++i) r += (i ? "\r\n" : "") + righe[i];
  return r;
}

// The edits of every quick fix offered for `file`, applied to `testo`, and
// how many there were.
std::pair<std::string, std::size_t> corretto(Client& c, const std::string& file,
                                             const std::string& testo) {
  json parametri;
  parametri["textDocument"]["uri"] = c.uri(file);
  parametri["range"] = {{"start", {{"line", 0}, {"character", 0}}},
                        {"end", {{"line", 100}, {"character", 0}}}};
  const json a =
      c.invia({{"id", 9}, {"method", "textDocument/codeAction"}, {"params", parametri}}).back();
  std::vector<json> modifiche;
  for (const json& azione : a["result"]) {
    EXPECT_EQ(azione["kind"], "quickfix");
    for (const json& m : azione["edit"]["changes"][c.uri(file)]) modifiche.push_back(m);
  }
  return {applica(testo, modifiche), modifiche.size()};
}

// Every quick fix offered for the planted mistakes, applied, until none is
// offered (a taken cell stops the reader; the mistakes after it are found by
// reading on, and fixed in the same round): the scenario is then clean, as
// check sees it.
TEST(Lsp, QuickFixesMendEveryPlantedMistake) {
  Client c;
  std::string treno = c.testo(nomi.treno_txt);
  for (const auto& [giusta, sbagliata] : std::vector<std::pair<std::string, std::string>>{
           {"segnale,    2300", "segnalle,    2300"},
           {"[segnali]", "[segnalli]"},
           {"segnale,    3450", "segnale,    1010"},
           {"[rallentamenti]", "[rallentamenti]\r\nrallentamento,    2310,   30,  500,  1,  1,  0"},
           {"velocita,    1000", "velocita,    1,000"},
           {"velocita,    3300,    30", "velocita,    3300,    33"},
           {"aderenza,    2000", "aderenza,    2000.4"},
           {"aderenza,    4000,    80", "aderenza,    4000"},
           {"LAGO MARINELLA", "LAGO MARINELL\xC3\x83\xE2\x82\xAC"}}) {
    treno = senza_riga(treno, giusta, sbagliata);
  }
  std::string linea = senza_riga(c.testo(nomi.linea_txt), "pendenza  , 4000", "pendenzza  , 4000");
  c.apri(nomi.linea_txt, linea);
  c.apri(nomi.treno_txt, treno);
  std::size_t nel_treno = 0;
  std::size_t nella_linea = 0;
  for (int giro = 0; giro < 4; ++giro) {
    const auto [t, nt] = corretto(c, nomi.treno_txt, treno);
    const auto [l, nl] = corretto(c, nomi.linea_txt, linea);
    if (nt + nl == 0) break;
    treno = t;
    linea = l;
    nel_treno += nt;
    nella_linea += nl;
    c.cambia(nomi.linea_txt, linea);
    c.cambia(nomi.treno_txt, treno);
    c.a_riposo();
  }
  EXPECT_EQ(nel_treno, 10u) << treno;
  EXPECT_EQ(nella_linea, 1u);
  EXPECT_NE(treno.find("LAGO MARINELL\xC3\x80\r\n"), std::string::npos);
  // The slowdown and the signal after its stop are moved in one round, the
  // signal to the nearest free cell before the one it wants; the slowdown's
  // warning board then falls on it, and the slowdown moves once more.
  EXPECT_NE(treno.find("rallentamento,    2110,"), std::string::npos) << "all its cells free";
  EXPECT_NE(treno.find("segnale,    960,"), std::string::npos) << "the nearest free cell";
  EXPECT_NE(treno.find("velocita,    3300,    35\r\n"), std::string::npos) << "the value stored";
  const tool::Analisi a =
      tool::analizza({nome_linea_incorporato, numero_treno_incorporato},
                     {tool::cp1252_da_utf8(linea), tool::cp1252_da_utf8(treno)});
  ASSERT_TRUE(a.problemi.empty()) << a.problemi.front().luogo.riga << ": "
                                   << a.problemi.front().messaggio << "\n" << treno;
}

TEST(Lsp, OutlineOfSectionsAndEntries) {
  Client c;
  c.apri(nomi.treno_txt,
         "prima\r\n[generale]\r\nsabbia, 0\r\nvoce ignota, 1\r\n-- nota\r\n"
         "[segnali]\r\nsegnale, 1000, 2\r\nsegnale, 2300, 2\r\n");
  const json s = c.invia({{"id", 7},
                          {"method", "textDocument/documentSymbol"},
                          {"params", {{"textDocument", {{"uri", c.uri(nomi.treno_txt)}}}}}})
                     .back()["result"];
  ASSERT_EQ(s.size(), 2u) << s.dump(1);
  EXPECT_EQ(s[0]["name"], "[generale]");
  EXPECT_EQ(s[0]["children"].size(), 1u);
  EXPECT_EQ(s[1]["children"][1]["name"], "segnale 2300");
  EXPECT_EQ(s[1]["range"]["end"]["line"], 7) << "a section holds its entries";
}

TEST(Lsp, MalformedMessagesGetTheProtocolsErrors) {
  platform::Files files;
  DiscoDelSistema disco(files);
  Server s(disco);
  const auto codice = [](const std::vector<std::string>& r) {
    return r.empty() ? json() : json::parse(r.back())["error"]["code"];
  };
  EXPECT_EQ(codice(s.ricevi("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"textDocument/hover\"}")),
            -32002);
  EXPECT_EQ(codice(s.ricevi("{not json")), -32700);
  EXPECT_EQ(codice(s.header_malformato()), -32700);
  EXPECT_EQ(codice(s.ricevi("[1,2]")), -32600);
  EXPECT_EQ(codice(s.ricevi("{\"id\":[1],\"method\":\"initialize\"}")), -32600);
  EXPECT_EQ(codice(s.ricevi("{\"id\":1,\"method\":7}")), -32600);
  s.ricevi("{\"id\":1,\"method\":\"initialize\",\"params\":{}}");
  EXPECT_EQ(codice(s.ricevi("{\"id\":1,\"method\":\"initialize\",\"params\":{}}")), -32600);
  EXPECT_EQ(codice(s.ricevi("{\"id\":2,\"method\":\"workspace/nothing\"}")), -32601);
  EXPECT_EQ(
      codice(s.ricevi("{\"id\":3,\"method\":\"textDocument/hover\",\"params\":{\"textDocument\":"
                      "{\"uri\":\"file:///a_linea.txt\"},\"position\":{\"line\":\"1\"}}}")),
      -32602);
  EXPECT_EQ(codice(s.ricevi(
                "{\"id\":3,\"method\":\"textDocument/hover\",\"params\":{\"textDocument\":"
                "{\"uri\":\"file:///a_linea.txt\"},\"position\":{\"line\":-1,\"character\":0}}}")),
            -32602);
  EXPECT_TRUE(s.ricevi("{\"method\":\"textDocument/didOpen\",\"params\":5}").empty())
      << "a notification is never answered";
  EXPECT_TRUE(s.ricevi("{\"id\":5,\"result\":null}").empty());
  s.ricevi("{\"method\":\"exit\"}");
  EXPECT_TRUE(s.finito());
  EXPECT_EQ(s.stato_uscita(), 1) << "exit without shutdown";
}

TEST(Lsp, FramingAndUris) {
  Cornice c;
  const std::string due =
      incornicia("{\"a\":1}") + "content-length:  2\r\nContent-Type: x\r\n\r\n{}";
  c.aggiungi(due.substr(0, 10));
  EXPECT_FALSE(c.prossima());
  c.aggiungi(due.substr(10));
  EXPECT_EQ(c.prossima()->corpo, "{\"a\":1}");
  EXPECT_EQ(c.prossima()->corpo, "{}");
  EXPECT_FALSE(c.prossima());
  c.aggiungi("Content-Length: 12x\r\n\r\n" + incornicia("[]"));
  EXPECT_TRUE(c.prossima()->header_malformato);
  EXPECT_EQ(c.prossima()->corpo, "[]") << "the next frame is read whole";
  c.aggiungi("Content-Length: 99999999999\r\n\r\n");
  EXPECT_TRUE(c.prossima()->header_malformato);

  EXPECT_EQ(percorso_da_uri("file:///tmp/Lago%20Fontana_linea.txt"), "/tmp/Lago Fontana_linea.txt");
  EXPECT_EQ(percorso_da_uri("file://localhost/C:/t/a%2"), "C:/t/a%2");
  EXPECT_EQ(percorso_da_uri("untitled:1"), std::nullopt);
  EXPECT_EQ(uri_da_percorso("/t/a b\xE8_1-.txt"), "file:///t/a%20b%E8_1-.txt");
}

// The built program over a whole session on its standard input.
TEST(Lsp, ProgramSessionAndExitStatus) {
  Client c;
  const std::string giusto = c.testo(nomi.treno_txt);
  const auto messaggio = [](json m) {
    m["jsonrpc"] = "2.0";
    return incornicia(m.dump());
  };
  const auto sessione = [&](bool spegni) {
    const json documento = {{"uri", c.uri(nomi.treno_txt)},
                            {"version", 1},
                            {"text", senza_riga(giusto, "segnale,    2300", "segnalle,    2300")}};
    std::string s =
        messaggio({{"id", 1}, {"method", "initialize"}, {"params", json::object()}}) +
        messaggio({{"method", "textDocument/didOpen"}, {"params", {{"textDocument", documento}}}}) +
        messaggio({{"method", "textDocument/didChange"},
                   {"params", cambio(c.uri(nomi.treno_txt), giusto)}});
    if (spegni) s += messaggio({{"id", 2}, {"method", "shutdown"}});
    return s + messaggio({{"method", "exit"}});
  };
  const auto esegui = [&](bool spegni) {
    test::write_file(c.dir() / "ingresso", sessione(spegni));
    return test::run_program(SCENARI_TOOL, "lsp", (c.dir() / "ingresso").string());
  };
  const test::Run r = esegui(true);
  EXPECT_EQ(r.status, 0) << r.output;
  std::vector<json> uscita;
  Cornice cornice;
  cornice.aggiungi(r.output);
  while (const auto u = cornice.prossima()) uscita.push_back(json::parse(u->corpo));
  ASSERT_GE(uscita.size(), 6u) << r.output;
  EXPECT_TRUE(uscita[0]["result"]["capabilities"]["hoverProvider"]);
  const std::vector<json> aperto(uscita.begin(), uscita.begin() + 3);
  EXPECT_TRUE(su_linea(diagnostiche_di(aperto, c.uri(nomi.treno_txt)), 20, "unknown-keyword"));
  EXPECT_FALSE(su_linea(diagnostiche_di(uscita, c.uri(nomi.treno_txt)), 20, "unknown-keyword"));
  EXPECT_EQ(uscita.back()["id"], 2);
  EXPECT_EQ(esegui(false).status, 1);
}

}  // namespace
}  // namespace scenari::lsp
