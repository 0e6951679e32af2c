// Every reference scenario of tests/conformance: its two description texts
// are compacted in memory, and the binary files, their names and the codes
// are compared with what the case records. A differing byte is reported with the plan point, general
// record or cell member that it belongs to.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/formato/formato_binario.h"
#include "core/modello/nomi_file.h"
#include "core/percorso/compattazione.h"
#include "support/ausili.h"

namespace scenari {
namespace {

namespace fs = std::filesystem;

const fs::path cartella_casi = SCENARI_CONFORMANCE;

// ---- the few shapes case.json uses: strings, integers, null, string lists --

class CasoJson {
 public:
  explicit CasoJson(std::string testo) : testo_(std::move(testo)) {}

  std::string testo(const std::string& chiave) const {
    std::size_t pos = valore(chiave);
    return stringa(pos);
  }

  std::optional<std::int32_t> intero(const std::string& chiave) const {
    const std::size_t pos = valore(chiave);
    if (testo_.compare(pos, 4, "null") == 0) return std::nullopt;
    return static_cast<std::int32_t>(std::stol(testo_.substr(pos)));
  }

  std::vector<std::string> lista(const std::string& chiave) const {
    std::size_t pos = valore(chiave);
    std::vector<std::string> voci;
    if (testo_.at(pos) != '[') throw std::runtime_error("case.json: " + chiave + " is no list");
    ++pos;
    for (;;) {
      pos = testo_.find_first_not_of(" \t\r\n,", pos);
      if (pos == std::string::npos) throw std::runtime_error("case.json: open list " + chiave);
      if (testo_[pos] == ']') return voci;
      voci.push_back(stringa(pos));
    }
  }

 private:
  std::size_t valore(const std::string& chiave) const {
    const std::size_t trovata = testo_.find("\"" + chiave + "\"");
    if (trovata == std::string::npos) throw std::runtime_error("case.json: no " + chiave);
    const std::size_t due_punti = testo_.find(':', trovata);
    return testo_.find_first_not_of(" \t\r\n", due_punti + 1);
  }

  // The string that opens at `pos`; leaves `pos` after its closing quote.
  std::string stringa(std::size_t& pos) const {
    if (testo_.at(pos) != '"') throw std::runtime_error("case.json: string expected");
    std::string s;
    for (++pos; pos < testo_.size() && testo_[pos] != '"'; ++pos) {
      if (testo_[pos] == '\\') ++pos;
      s.push_back(testo_.at(pos));
    }
    ++pos;
    return s;
  }

  std::string testo_;
};

// ---- byte comparison ---------------------------------------------------------

bool finisce_con(const std::string& s, const std::string& coda) {
  return s.size() >= coda.size() && s.compare(s.size() - coda.size(), coda.size(), coda) == 0;
}

std::string cosa_sta_a(const std::string& nome, const std::string& atteso, std::size_t offset) {
  try {
    if (finisce_con(nome, "_linea.dat")) return descrivi_offset_planimetria(atteso, offset);
    if (finisce_con(nome, ".sim")) return descrivi_offset_tabella(atteso, offset);
    if (finisce_con(nome, ".dat")) return descrivi_offset_celle(offset);
  } catch (const FormatoNonValido& e) {
    return std::string("expected file does not decode: ") + e.what();
  }
  return "unknown file kind";
}

std::string esadecimale(unsigned char c) {
  static const char cifre[] = "0123456789ABCDEF";
  return {cifre[c >> 4], cifre[c & 0xF]};
}

// Empty when equal; otherwise where and how the files first differ.
std::string differenza(const std::string& nome, const std::string& atteso,
                       const std::string& ottenuto) {
  const std::size_t comune = std::min(atteso.size(), ottenuto.size());
  std::size_t k = 0;
  while (k < comune && atteso[k] == ottenuto[k]) ++k;
  if (k == comune && atteso.size() == ottenuto.size()) return {};
  std::string rapporto = nome + ": " + std::to_string(ottenuto.size()) + " bytes, expected " +
                         std::to_string(atteso.size()) + "; first difference at offset " +
                         std::to_string(k);
  if (k < atteso.size()) {
    rapporto += " (" + cosa_sta_a(nome, atteso, k) + "): expected " +
                esadecimale(static_cast<unsigned char>(atteso[k]));
    rapporto += k < ottenuto.size()
                    ? ", got " + esadecimale(static_cast<unsigned char>(ottenuto[k]))
                    : ", file ends there";
  } else {
    rapporto += ": bytes beyond the expected end";
  }
  return rapporto;
}

// ---- the cases ---------------------------------------------------------------

std::vector<std::string> casi() {
  std::vector<std::string> nomi;
  for (const auto& voce : fs::directory_iterator(cartella_casi)) {
    if (voce.is_directory() && voce.path().filename() != "run") {
      nomi.push_back(voce.path().filename().string());
    }
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

class Conformita : public testing::TestWithParam<std::string> {};

// The description text of a case whose name ends in `coda`, if it has one.
std::optional<std::string> testo_del_caso(const fs::path& caso, const std::string& nome) {
  if (!fs::exists(caso / nome)) return std::nullopt;
  return test::read_file(caso / nome);
}

TEST_P(Conformita, MatchesTheReference) {
  const fs::path caso = cartella_casi / GetParam();
  const CasoJson json(test::read_file(caso / "case.json"));
  const Scenario scenario{json.testo("nome_linea"), json.testo("numero_treno"),
                          json.intero("genera_linea") != 0};
  const NomiFile nomi = nomi_file(scenario.nome_linea, scenario.numero_treno);
  const std::optional<std::string> linea = testo_del_caso(caso, nomi.linea_txt);
  const std::optional<std::string> treno = testo_del_caso(caso, nomi.treno_txt);
  TestiDescrizione testi;
  if (linea) testi.linea = *linea;
  if (treno) testi.treno = *treno;
  const Compattazione c = compatta(scenario, testi);

  // The fatal start-record check is reported apart from the code it leaves.
  Modello m = c.modello();
  std::optional<std::int32_t> fatale;
  if (c.esito() == EsitoPercorso::fatale) {
    fatale = codice::numero(*m.problemi.back().codice);
    m.problemi.pop_back();
  }
  const std::optional<Codice> codice_errore = m.codice_errore();
  EXPECT_EQ(codice_errore ? codice::numero(*codice_errore) : 0, json.intero("codice_errore"));
  EXPECT_EQ(m.posizione_errore(), json.intero("posizione_errore"));
  EXPECT_EQ(m.numero_celle, json.intero("numero_celle"));
  EXPECT_EQ(fatale, json.intero("fatal"));

  std::map<std::string, std::string> scritti;
  for (const FileBinario& f : c.file()) scritti[f.nome] = byte_di(f);
  std::vector<std::string> nomi_scritti;
  for (const auto& [nome, byte] : scritti) nomi_scritti.push_back(nome);
  std::vector<std::string> attesi = json.lista("files_after_run");
  std::sort(attesi.begin(), attesi.end());
  EXPECT_EQ(nomi_scritti, attesi);

  for (const auto& nome : test::file_names(caso / "expected")) {
    const auto ottenuto = scritti.find(nome);
    if (ottenuto == scritti.end()) {
      ADD_FAILURE() << nome << ": not written";
      continue;
    }
    const std::string diversi =
        differenza(nome, test::read_file(caso / "expected" / nome), ottenuto->second);
    EXPECT_TRUE(diversi.empty()) << diversi;
  }
}

INSTANTIATE_TEST_SUITE_P(Casi, Conformita, testing::ValuesIn(casi()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string nome = info.param;
                           for (char& c : nome) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return nome;
                         });

}  // namespace
}  // namespace scenari
