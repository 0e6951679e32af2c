// A catalogue of malformed description texts, grouped by kind. Each pair of
// texts goes through the compaction: no crash, the expected code and
// position, and every binary file decodes back to what the model held.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "esecuzione/testi.h"
#include "core/formato/formato_binario.h"
#include "core/modello/codici.h"
#include "core/percorso/compattazione.h"
#include "support/codice.h"

using namespace scenari;

namespace {

enum class Fine { scritti, senza_percorso, fatale };

struct Caso {
  std::string nome;
  std::string linea;
  std::string treno;
  std::optional<Codice> codice;
  std::int32_t posizione;
  Fine fine = Fine::scritti;
};

const std::string linea_incorporata = testo_linea();
const std::string treno_incorporato = testo_treno();

// A 7000 m line text with the embedded general section and the given body.
std::string linea(const std::string& corpo) {
  return "[generale]\r\nlunghezza percorso,    7000\r\n"
         "ripetizione segnali 4 codici,    0    ,0\r\n[curve]\r\n" +
         corpo + "[fine]\r\n";
}

std::string treno(const std::string& corpo) { return "[generale]\r\n" + corpo + "[fine]\r\n"; }

const std::string stazione_0 =
    "stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   0, 0, 0, ";

class Catalogo : public ::testing::Test {
 protected:
  // Runs the compaction on the two texts and checks one case.
  Modello verifica(const Caso& caso) {
    SCOPED_TRACE(caso.nome);
    const Compattazione c = compatta(Scenario{"Lago Fontana_Lago Marinella", "40572", true},
                                     TestiDescrizione{caso.linea, caso.treno});
    Modello m = c.modello();
    Fine fine = Fine::scritti;
    if (c.esito() == EsitoPercorso::senza_percorso) fine = Fine::senza_percorso;
    if (c.esito() == EsitoPercorso::fatale) {
      fine = Fine::fatale;
      m.problemi.pop_back();
    }
    const Problema* ultimo = m.ultimo_errore();
    EXPECT_EQ(ultimo ? ultimo->codice : std::nullopt, caso.codice);
    EXPECT_EQ(ultimo && ultimo->posizione ? *ultimo->posizione : m.posizione_errore(),
              caso.posizione);
    EXPECT_EQ(fine, caso.fine);
    const std::vector<FileBinario> file = c.file();
    if (fine == Fine::scritti) {
      EXPECT_EQ(decodifica_planimetria(byte_di(file.at(0))), m.planimetria.punti());
      EXPECT_EQ(decodifica_tabella(byte_di(file.at(1))), m.tabella_generale);
      EXPECT_EQ(decodifica_celle(byte_di(file.at(2))), m.celle_percorso);
    } else {
      EXPECT_TRUE(file.empty());
    }
    return m;
  }

  int verifica_tutti(const std::vector<Caso>& casi) {
    for (const auto& caso : casi) verifica(caso);
    return static_cast<int>(casi.size());
  }
};

// Every place where a field ends: after each comma and after each line end.
struct Confine {
  std::size_t offset;
  std::size_t riga;         // 0-based line of the text
  bool dopo_parola_chiave;  // right after the first comma of the line
  bool fine_riga;
};

std::vector<Confine> confini(const std::string& testo) {
  std::vector<Confine> trovati;
  std::size_t riga = 0;
  bool prima_virgola = true;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == ',') {
      trovati.push_back({i + 1, riga, prima_virgola, false});
      prima_virgola = false;
    } else if (testo[i] == '\n') {
      trovati.push_back({i + 1, riga, false, true});
      ++riga;
      prima_virgola = true;
    }
  }
  return trovati;
}

}  // namespace

// Truncated after the keyword field of an entry, the text ends on a field
// that is never acted on; truncated among its values, reading runs past the
// end (code 25). Before the route length no cells exist and nothing is
// written.
TEST_F(Catalogo, LineTextTruncatedAtEveryFieldBoundary) {
  int casi = 0;
  for (const Confine& c : confini(linea_incorporata)) {
    Caso caso{"line text cut at byte " + std::to_string(c.offset),
              linea_incorporata.substr(0, c.offset), treno_incorporato, std::nullopt, 0};
    const bool prima_della_lunghezza = c.riga < 1 || (c.riga == 1 && !c.fine_riga);
    if (c.riga == 0) {
      caso.codice = codice::generale_assente;
      caso.fine = Fine::senza_percorso;
    } else if (prima_della_lunghezza) {
      caso.codice = codice::senza_lunghezza;
      caso.fine = Fine::senza_percorso;
    } else if (!c.fine_riga && !c.dopo_parola_chiave) {
      caso.codice = codice::lettura_fallita;
    }
    verifica(caso);
    ++casi;
  }
  EXPECT_GE(casi, 60);
}

TEST_F(Catalogo, TrainTextTruncatedAtEveryFieldBoundary) {
  int casi = 0;
  for (const Confine& c : confini(treno_incorporato)) {
    const bool tra_i_valori = !c.fine_riga && !c.dopo_parola_chiave;
    const std::optional<Codice> atteso =
        tra_i_valori ? std::optional(codice::lettura_fallita) : std::nullopt;
    verifica({"train text cut at byte " + std::to_string(c.offset), linea_incorporata,
              treno_incorporato.substr(0, c.offset), atteso, 0});
    ++casi;
  }
  EXPECT_GE(casi, 60);
}

TEST_F(Catalogo, EmptyTexts) {
  verifica_tutti({
      {"empty line text", "", treno_incorporato, codice::lettura_fallita, 0, Fine::senza_percorso},
      {"line text of one line end", "\r\n", treno_incorporato, codice::generale_assente, 0,
       Fine::senza_percorso},
      {"empty train text", linea_incorporata, "", std::nullopt, 0},
      {"both empty", "", "", codice::lettura_fallita, 0, Fine::senza_percorso},
      {"train text of blanks", linea_incorporata, "   \r\n \r\n", std::nullopt, 0},
  });
}

TEST_F(Catalogo, OnlyComments) {
  verifica_tutti({
      {"line: comments only", "-- solo commenti\r\n-- ancora\r\n", treno_incorporato,
       codice::generale_assente, 0, Fine::senza_percorso},
      {"line: comment run reaching the end of the general section", "[generale]\r\n-a\r\n-b\r\n",
       treno_incorporato, codice::lettura_fallita, 0, Fine::senza_percorso},
      {"line: body of comments", linea("-- a\r\n-- b\r\n-- c\r\n"), treno_incorporato, std::nullopt,
       0},
      {"train: comments only", linea_incorporata, "-- a\r\n-- b\r\n", std::nullopt, 0},
      {"train: general section of comments", linea_incorporata, treno("-- a\r\n-- b\r\n-- c\r\n"),
       std::nullopt, 0},
  });
}

TEST_F(Catalogo, BinaryGarbageAndNulBytes) {
  const std::string nul(1, '\0');
  verifica_tutti({
      {"line: garbage", std::string("\x00\x01\x02\xff\xfe,\x80", 7), treno_incorporato,
       codice::generale_assente, 0, Fine::senza_percorso},
      {"line: NUL inside the route length", "[generale]\r\nlunghezza percorso, 70" + nul + "00\r\n",
       treno_incorporato, codice::lettura_fallita, 0, Fine::senza_percorso},
      {"line: NUL splitting a keyword", linea("pend" + nul + "enza, 500, -7\r\n"),
       treno_incorporato, std::nullopt, 0},
      {"train: garbage fields", linea_incorporata, treno("\xff\xfe" + nul + ",\x01\x02\r\n"),
       std::nullopt, 0},
      {"train: NUL inside a number", linea_incorporata, treno("velocita, 10" + nul + "0, 30\r\n"),
       codice::lettura_fallita, 0},
  });
}

TEST_F(Catalogo, BytesOutsideThePrintableCodePage) {
  const std::string indefiniti = "\x81\x8d\x8f\x90\x9d";
  Modello m = verifica({"line: board text of undefined bytes",
                        linea("cartello indicatore, 900, " + indefiniti + "\r\n"),
                        treno_incorporato, std::nullopt, 0});
  EXPECT_EQ(m.tabella_generale[80].nome, indefiniti);
  m = verifica({"train: station name of control bytes", linea_incorporata,
                treno(stazione_0 + "\x01\x7f\x1b\r\n"), std::nullopt, 0});
  EXPECT_EQ(m.tabella_generale[1].nome, "\x01\x7f\x1b");
  verifica_tutti({
      {"line: keyword with an undefined byte", linea("pendenza\x9d, 500, -7\r\n"),
       treno_incorporato, std::nullopt, 0},
      {"line: end-of-file byte after a number", "[generale]\r\nlunghezza percorso, 7000\x1a\r\n",
       treno_incorporato, codice::lettura_fallita, 0, Fine::senza_percorso},
      {"train: high bytes in a number", linea_incorporata, treno("vetture, 6\xa0\r\n"),
       codice::lettura_fallita, 0},
  });
}

TEST_F(Catalogo, LinesOfOneMegabyte) {
  const std::string mega(1 << 20, 'x');
  verifica_tutti({
      {"line: comment", linea("-" + mega + "\r\n"), treno_incorporato, std::nullopt, 0},
      {"line: keyword at the end of a long field", linea(mega + "pendenza, 500, -7\r\n"),
       treno_incorporato, std::nullopt, 0},
      {"line: board text too long for its record",
       linea("cartello indicatore, 900, " + mega + "\r\n"), treno_incorporato,
       codice::lettura_fallita, 0},
      {"train: comment", linea_incorporata, treno("-" + mega + "\r\n"), std::nullopt, 0},
      {"train: station name too long for its record", linea_incorporata,
       treno(stazione_0 + mega + "\r\n"), codice::lettura_fallita, 0},
      {"train: blanks before a number", linea_incorporata,
       treno("velocita, " + std::string(1 << 20, ' ') + "0, 30\r\n"), std::nullopt, 0},
  });
}

TEST_F(Catalogo, NumbersWithThirtyDigits) {
  const std::string trenta = "123456789012345678901234567890";
  verifica_tutti({
      {"line: route length", "[generale]\r\nlunghezza percorso, " + trenta + "\r\n",
       treno_incorporato, codice::lettura_fallita, 0, Fine::senza_percorso},
      {"line: gradient value", linea("pendenza, 500, " + trenta + "\r\n"), treno_incorporato,
       codice::lettura_fallita, 0},
      {"line: negative board position", linea("cartello indicatore, -" + trenta + ", X\r\n"),
       treno_incorporato, codice::lettura_fallita, 0},
      {"line: leading zeros",
       "[generale]\r\nlunghezza percorso, 000000000000000000000000007000\r\n", treno_incorporato,
       std::nullopt, 0},
      {"train: number of cars", linea_incorporata, treno("vetture, " + trenta + "\r\n"),
       codice::lettura_fallita, 0},
      {"train: signal time", linea_incorporata,
       treno("segnale, 1000, 2, 5, 1, 1, 0, 0, 0, 0, 0, " + trenta + "\r\n"),
       codice::lettura_fallita, 0},
  });
}

TEST_F(Catalogo, NumbersOutOfTheirFieldWidth) {
  Modello m = verifica({"train: cars at the 32-bit maximum", linea_incorporata,
                        treno("vetture, 2147483647\r\nsabbia, 32767\r\n"), std::nullopt, 0});
  EXPECT_EQ(m.tabella_generale[84].valore3, 2147483647);
  EXPECT_EQ(m.tabella_generale[86].intero1, 32767);
  verifica_tutti({
      {"line: route length 2^31", "[generale]\r\nlunghezza percorso, 2147483648\r\n",
       treno_incorporato, codice::lettura_fallita, 0, Fine::senza_percorso},
      {"line: board stripes 2^15",
       linea("indicatori_v, 1050, 85, 90, 95, 32768, 85, 90, 95, 0\r\n"), treno_incorporato,
       codice::lettura_fallita, 0},
      {"line: background below -2^31", linea("") + "sfondo uno, -2147483649\r\n", treno_incorporato,
       std::nullopt, 0},
      {"line: general value below -2^31",
       "[generale]\r\nlunghezza percorso, 7000\r\nsfondo uno, -2147483649\r\n", treno_incorporato,
       codice::lettura_fallita, 0},
      {"train: sand 2^15", linea_incorporata, treno("sabbia, 32768\r\n"), codice::lettura_fallita,
       0},
      {"train: clock below -2^15", linea_incorporata, treno("orologio, 7, 59, -32769\r\n"),
       codice::lettura_fallita, 0},
      {"train: speed whose fifth passes 255", linea_incorporata,
       treno("velocita, 0, 1280\r\nvelocita, 100, 30\r\n"), codice::lettura_fallita, 0},
      {"train: station type 256", linea_incorporata,
       treno("stazione, 0, 256, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, X\r\n"),
       codice::lettura_fallita, 0},
      {"train: gradient position at the 32-bit maximum", linea_incorporata,
       treno("velocita, 2147483647, 30\r\n"), codice::oltre_percorso, INT_MAX},
      {"line: gradient at the 32-bit maximum", linea("pendenza, 2147483647, 1\r\n"),
       treno_incorporato, codice::oltre_percorso, 1000},
      {"train: slowdown of the 32-bit maximum length", linea_incorporata,
       treno("rallentamento, 2500, 60, 2147483647, 0, 0, 0\r\n"), codice::rallentamento_fuori,
       2500},
      {"line: curve of the 32-bit maximum length", linea("curvad2, 0, 2147483647\r\n"),
       treno_incorporato, codice::fine_oltre_percorso, 0},
  });
}

TEST_F(Catalogo, NegativePositions) {
  verifica_tutti({
      {"line: route length, refused, leaves none", "[generale]\r\nlunghezza percorso, -1\r\n",
       treno_incorporato, codice::senza_lunghezza, 0, Fine::senza_percorso},
      {"line: gradient", linea("pendenza, -50, 3\r\n"), treno_incorporato,
       codice::posizione_negativa, -50},
      {"line: curve", linea("curvad2, -10, 100\r\n"), treno_incorporato, codice::posizione_negativa,
       -10},
      {"line: curve length, only a warning", linea("curvad2, 10, -100\r\n"), treno_incorporato,
       std::nullopt, 0},
      {"line: terrain", linea("montagna, -100, 500, 1\r\n"), treno_incorporato,
       codice::posizione_negativa, -100},
      {"line: indicator board", linea("indicatori_v, -1, 85, 90, 95, 0, 85, 90, 95, 0\r\n"),
       treno_incorporato, codice::posizione_negativa, -1},
      {"line: text board", linea("cartello indicatore, -1, X\r\n"), treno_incorporato,
       codice::posizione_negativa, -1},
      {"train: speed", linea_incorporata, treno("velocita, -50, 30\r\n"),
       codice::posizione_negativa, -50},
      {"train: adhesion", linea_incorporata, treno("aderenza, -1, 80\r\n"),
       codice::posizione_negativa, -1},
      {"train: abbattimento", linea_incorporata, treno("abbattimento, -75, 180\r\n"),
       codice::posizione_negativa, -75},
      {"train: signal", linea_incorporata, treno("segnale, -1000, 2, 5, 1, 1, 0, 0, 0,0,0, 0\r\n"),
       codice::posizione_negativa, -1000},
      {"train: slowdown", linea_incorporata, treno("rallentamento, -1, 60, 600, 1, 1, 0\r\n"),
       codice::posizione_negativa, -1},
      {"train: station", linea_incorporata,
       treno("stazione, -50, 8, 500, 0,0,0, 1,1,0, 4,1,1, 1, 0,0,0, X\r\n"),
       codice::posizione_negativa, -50},
  });
}

// The embedded route has cells 0 to 280: an object needs (p + 100) / 50 at
// most 280, so 13,900 is the last position accepted; cell 1 holds the start
// record, so an object put there makes its check fail.
TEST_F(Catalogo, FirstAndLastAcceptedPositions) {
  verifica_tutti({
      {"line: board at the last position", linea("cartello indicatore, 13900, X\r\n"),
       treno_incorporato, std::nullopt, 0},
      {"line: board past it stops the train at its first signal",
       linea("cartello indicatore, 13901, X\r\n"), treno_incorporato, codice::oltre_percorso, 1000},
      {"line: board in the start record's cell", linea("cartello indicatore, 0, X\r\n"),
       treno_incorporato, std::nullopt, 0, Fine::fatale},
      {"line: gradient past the last position stops the train at its first signal",
       linea("pendenza, 13901, 3\r\n"), treno_incorporato, codice::oltre_percorso, 1000},
      {"line: terrain over the whole route", linea("montagna, 0, 13900, 1\r\n"), treno_incorporato,
       std::nullopt, 0},
      {"train: speed at the last position", linea_incorporata, treno("velocita, 13900, 30\r\n"),
       std::nullopt, 0},
      {"train: speed past it", linea_incorporata, treno("velocita, 13901, 30\r\n"),
       codice::oltre_percorso, 13901},
      {"train: abbattimento at the first and last positions", linea_incorporata,
       treno("abbattimento, 0, 180\r\nabbattimento, 13900, 0\r\n"), std::nullopt, 0},
      {"train: first signal with room for its approach cells", linea_incorporata,
       treno("segnale, 350, 2, 5, 1, 1, 0, 0, 0,0,0, 0\r\n"), std::nullopt, 0},
      {"train: signal one cell earlier, without its first mark", linea_incorporata,
       treno("segnale, 300, 2, 5, 1, 1, 0, 0, 0,0,0, 0\r\n"), std::nullopt, 0},
      {"train: signal at the last position", linea_incorporata,
       treno("segnale, 13900, 2, 5, 1, 1, 0, 0, 0,0,0, 0\r\n"), std::nullopt, 0},
      {"train: slowdown ending on the last cell", linea_incorporata,
       treno("rallentamento, 13000, 60, 950, 0, 0, 0\r\n"), std::nullopt, 0},
      {"train: slowdown ending past it", linea_incorporata,
       treno("rallentamento, 13000, 60, 1000, 0, 0, 0\r\n"), codice::rallentamento_fuori, 13000},
  });
}

TEST_F(Catalogo, DuplicatedSections) {
  verifica_tutti({
      {"line: general section twice, its boards in the body", linea_incorporata + linea_incorporata,
       treno_incorporato, codice::cella_indicatore_occupata, 1050},
      {"line: route length twice", linea("") + "[generale]\r\nlunghezza percorso, 7000\r\n",
       treno_incorporato, std::nullopt, 0},
      {"line: boards section twice",
       linea("[cartelli]\r\ncartello indicatore, 900, A\r\n[cartelli]\r\ncartello indicatore, 900, "
             "A\r\n"),
       treno_incorporato, codice::cella_cartello_occupata, 900},
      {"train: whole text twice", linea_incorporata, treno_incorporato + treno_incorporato,
       codice::marciapiedi_vicini, 0},
      {"train: signals section twice", linea_incorporata,
       treno("[segnali]\r\nsegnale, 1000, 2, 5, 1, 1, 0, 0, 0,0,0, 0\r\n"
             "[segnali]\r\nsegnale, 1000, 2, 5, 1, 1, 0, 0, 0,0,0, 0\r\n"),
       codice::cella_segnale_occupata, 1000},
  });
}

TEST_F(Catalogo, FieldsMissingAtTheEnd) {
  verifica_tutti({
      {"line: gradient without its value", linea("") + "pendenza, 500", treno_incorporato,
       codice::lettura_fallita, 0},
      {"line: board without its text", linea("") + "cartello indicatore, 900,", treno_incorporato,
       codice::lettura_fallita, 0},
      {"line: curve keyword last", linea("") + "curvad2", treno_incorporato, std::nullopt, 0},
      {"train: signal with three values", linea_incorporata, "[generale]\r\nsegnale, 1000, 2, 5",
       codice::lettura_fallita, 0},
      {"train: station with its position only", linea_incorporata, "[generale]\r\nstazione, 4500",
       codice::lettura_fallita, 0},
      {"train: speed keyword last", linea_incorporata, "[generale]\r\nvelocita", std::nullopt, 0},
  });
}
