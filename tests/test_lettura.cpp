#include "core/lettura/lettura.h"

#include <gtest/gtest.h>

#include "core/lettura/scansione.h"
#include "core/lettura/tabella_voci.h"
#include "support/codice.h"

#include <optional>
#include <string>
#include <vector>

namespace scenari {
namespace {

constexpr const char* linea_buona =
    "[generale]\r\nlunghezza percorso,    1000\r\n[curve]\r\n[fine]\r\n";
constexpr const char* treno_buono = "[generale]\r\nnumero vetture,    6\r\n[fine]\r\n";

Modello leggi(std::optional<std::string> linea, std::optional<std::string> treno) {
  Modello m;
  m.nome_linea = "Monte_Valle";
  m.numero_treno = "77";
  TestiDescrizione testi;
  if (linea) testi.linea = *linea;
  if (treno) testi.treno = *treno;
  const CursoreLettura cursore = memorizza_dati(m, testi, false);
  EXPECT_TRUE(cursore.file_in_lettura.empty());
  return m;
}

TEST(Lettura, BothTextsRead) {
  const Modello m = leggi(linea_buona, treno_buono);
  EXPECT_EQ(m.codice_errore(), std::nullopt);
  EXPECT_EQ(m.numero_celle, 160);
  EXPECT_EQ(m.tabella_generale[84].valore3, 6);
}

TEST(Lettura, MissingLineTextStopsBeforeTheTrain) {
  const Modello m = leggi(std::nullopt, treno_buono);
  EXPECT_EQ(m.codice_errore(), codice::linea_assente);
  EXPECT_EQ(m.problemi.back().luogo.file, "Monte_Valle_linea.txt");
  EXPECT_FALSE(m.celle_create());
}

TEST(Lettura, LineRefusalLeavesTheTrainUnread) {
  const Modello m = leggi("[generale]\r\nlunghezza percorso,    1000001\r\n[fine]\r\n", treno_buono);
  EXPECT_EQ(m.codice_errore(), codice::lunghezza_eccessiva);
  EXPECT_EQ(m.tabella_generale[84].valore3, 0);
}

TEST(Lettura, PositionBeyondTheRouteStillReadsTheTrain) {
  const Modello m = leggi("[generale]\r\nlunghezza percorso,    1000\r\n[pendenze]\r\n"
                          "pendenza, 7901, 2\r\n[fine]\r\n",
                          treno_buono);
  EXPECT_EQ(m.codice_errore(), codice::oltre_percorso);
  EXPECT_EQ(m.posizione_errore(), 7901);
  EXPECT_EQ(m.tabella_generale[84].valore3, 6);
}

// The entry line `riga` of text `t`, section `s`, in texts of its own; with
// `seguito`, an entry after it that shows whether it took exactly its fields.
Modello leggi_voce(std::size_t t, std::size_t s, const std::string& riga, bool seguito = true) {
  const std::string lunghezza = "[generale]\r\nlunghezza percorso, 7000\r\n";
  const auto dopo = [seguito](const char* voce) { return seguito ? std::string(voce) : ""; };
  std::string linea = lunghezza + "[curve]\r\n[fine]\r\n";
  std::string treno = "[generale]\r\n" + dopo("sabbia, 7\r\n") + "[fine]\r\n";
  if (t == 1) {
    treno = "[generale]\r\n" + riga + "\r\n" + dopo("sabbia, 7\r\n") + "[fine]\r\n";
  } else if (s == 0) {
    linea = lunghezza + riga + "\r\n" + dopo("sfondo due, 7\r\n") + "[curve]\r\n[fine]\r\n";
  } else {
    linea = lunghezza + "[curve]\r\n" + riga + "\r\n" + dopo("pendenza, 6000, 7\r\n") + "[fine]\r\n";
  }
  Modello m;
  m.nome_linea = "Monte_Valle";
  m.numero_treno = "77";
  m.genera_linea = 1;
  memorizza_dati(m, {linea, treno}, false);
  EXPECT_TRUE(m.problemi.empty()) << m.problemi.front().messaggio;
  if (seguito) {
    EXPECT_EQ(m.tabella_generale[86].intero1, 7);
  }
  return m;
}

// Every example line of the table of entries, read by the real readers in
// its own text: it is recognised as its entry, gives no problem and takes
// exactly the fields the table lists, so the entry written after it is read
// as one.
TEST(Lettura, EveryExampleOfTheTableIsReadAsItsEntry) {
  const auto& testi = riferimento::testi();
  for (std::size_t t = 0; t < testi.size(); ++t) {
    for (std::size_t s = 0; s < testi[t].sezioni.size(); ++s) {
      for (const riferimento::Voce& voce : testi[t].sezioni[s].voci) {
        const std::string esempio(voce.esempio);
        SCOPED_TRACE(esempio);
        EXPECT_TRUE(riferimento::riconosce(voce.chiave, esempio.substr(0, esempio.find(','))));
        EXPECT_EQ(riferimento::voce_di(testi[t], esempio.substr(0, esempio.find(','))), &voce);
        const Modello m = leggi_voce(t, s, esempio);
        if (t == 0 && s == 0) {
          EXPECT_EQ(m.tabella_generale[85].valore3, 7);
        } else if (t == 0) {
          EXPECT_EQ(m.celle_percorso[120].pendenza, 107);
        }
      }
    }
  }
}

// Every field's example value, in its entry's example line, read by the real
// readers: the model holds what the table says the simulator gets, where the
// table says, and the rule's own account of the value agrees.
TEST(Lettura, EveryFieldExampleLandsWhereTheTableSays) {
  const auto& testi = riferimento::testi();
  int provati = 0;
  for (std::size_t t = 0; t < testi.size(); ++t) {
    for (std::size_t s = 0; s < testi[t].sezioni.size(); ++s) {
      for (const riferimento::Voce& voce : testi[t].sezioni[s].voci) {
        const std::string esempio(voce.esempio);
        const std::vector<Modo> modi = riferimento::modi_di(voce);
        const std::vector<CampoLetto> campi = campi_della_riga(esempio, 1, modi, Modo::numero);
        const std::int64_t posizione =
            voce.campi.front().unita == "m" ? std::stoll(std::string(campi[1].valore)) : 0;
        for (std::size_t i = 0; i < voce.campi.size(); ++i) {
          const riferimento::Campo& campo = voce.campi[i];
          if (campo.esempio.dove == nullptr) continue;
          std::string riga = esempio;
          const Tratto& dove = campi[i + 1].tratto;
          riga.replace(static_cast<std::size_t>(dove.inizio - 1),
                       static_cast<std::size_t>(dove.fine - dove.inizio), campo.esempio.scritto);
          SCOPED_TRACE(riga);
          const Modello m = leggi_voce(t, s, riga, false);
          EXPECT_EQ(campo.esempio.dove(m, posizione), campo.esempio.ottenuto) << campo.nome;
          if (campo.regola.conservato) {
            const std::int64_t scritto = std::stoll(std::string(campo.esempio.scritto));
            EXPECT_EQ(campo.regola.conservato(scritto), campo.esempio.ottenuto) << campo.nome;
          }
          ++provati;
        }
      }
    }
  }
  EXPECT_GE(provati, 50);
}

struct CasoFallimento {
  const char* nome;
  std::optional<std::string> linea;
  std::optional<std::string> treno;
  Luogo luogo;
  const char* motivo;  // a piece of the detail
};

// The case's name, where test listings would show its bytes.
void PrintTo(const CasoFallimento& caso, std::ostream* os) { *os << caso.nome; }

class LetturaFallita : public testing::TestWithParam<CasoFallimento> {};

TEST_P(LetturaFallita, Code25NamesTheFieldAndWhy) {
  const CasoFallimento& caso = GetParam();
  const Modello m = leggi(caso.linea, caso.treno);
  EXPECT_EQ(m.codice_errore(), codice::lettura_fallita);
  ASSERT_FALSE(m.problemi.empty());
  EXPECT_EQ(m.problemi.back().luogo, caso.luogo);
  EXPECT_NE(m.problemi.back().dettaglio.find(caso.motivo), std::string::npos)
      << m.problemi.back().dettaglio;
}

INSTANTIATE_TEST_SUITE_P(
    Casi, LetturaFallita,
    testing::Values(
        CasoFallimento{"empty_line_text", "", treno_buono, {"Monte_Valle_linea.txt", 1, 1, 1},
                       "the text ends"},
        CasoFallimento{"bad_number_in_line_text",
                       "[generale]\r\nlunghezza percorso,    mille\r\n[fine]\r\n", treno_buono,
                       {"Monte_Valle_linea.txt", 2, 24, 29}, "\"mille\""},
        CasoFallimento{"missing_train_text", linea_buona, std::nullopt,
                       {"Monte_Valle_77-.txt", 0, 0}, "no file named"},
        CasoFallimento{"bad_number_in_train_text", linea_buona,
                       "[generale]\r\n\r\nnumero vetture,    sei\r\n[fine]\r\n",
                       {"Monte_Valle_77-.txt", 3, 20, 23}, "\"sei\""},
        CasoFallimento{"speed_beyond_its_byte", linea_buona,
                       "[generale]\r\nvelocita, 0, 2000\r\nvelocita, 500, 30\r\n[fine]\r\n",
                       {"Monte_Valle_77-.txt", 2, 1, 9}, "2000 km/h"},
        CasoFallimento{"station_hour_beyond_32_bits", linea_buona,
                       "[generale]\r\nstazione, 300, 2, 300, 0,0,0, 1,1,0, 4,1,1, 1, "
                       "999999,0,0, A\r\n[fine]\r\n",
                       {"Monte_Valle_77-.txt", 2, 57, 58}, "timetable time"}),
    [](const testing::TestParamInfo<CasoFallimento>& info) { return info.param.nome; });

}  // namespace
}  // namespace scenari
