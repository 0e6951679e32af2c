#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "esecuzione/avvio.h"
#include "esecuzione/nomi_file.h"
#include "support/ausili.h"

namespace fs = std::filesystem;
using namespace scenari;

namespace {

// Remembers every call, in order, as one line each.
class FinestraRegistrata : public platform::Window {
 public:
  void show(const std::string& title, const std::string& label) override {
    chiamate.push_back("show " + title + " " + label);
  }
  void report_error(const std::string& message) override {
    chiamate.push_back("report " + message);
  }
  void close() override { chiamate.push_back("close"); }

  std::vector<std::string> chiamate;
};

class Avvio : public ::testing::Test {
 protected:
  std::set<std::string> contenuto() const {
    const std::vector<std::string> nomi = test::file_names(cartella.path());
    return {nomi.begin(), nomi.end()};
  }

  int esegui_con(platform::Files& files) { return esegui(finestra, files, cartella.str()); }

  const test::TestDirectory cartella{"avvio"};
  FinestraRegistrata finestra;
};

const std::string prefisso = "Lago Fontana_Lago Marinella_40572";

}  // namespace

TEST(Errore, ShowsTheNumberAfterTheFixedTextAndEndsWithStatus3) {
  FinestraRegistrata finestra;
  EXPECT_EQ(errore(finestra, codice::partenza_primo_valore), uscita_errore_fatale);
  EXPECT_EQ(errore(finestra, codice::partenza_secondo_valore), uscita_errore_fatale);
  EXPECT_EQ(finestra.chiamate,
            (std::vector<std::string>{"report  Errore n. 1250", "report  Errore n. 1251"}));
}

TEST(Errore, ConsoleWritesTheMessageToStandardError) {
  auto console = platform::console_window();
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int stato = errore(*console, codice::partenza_secondo_valore);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), " Errore n. 1251\n");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(stato, 3);
}

TEST(AvvisoDati, NamesCodeMeaningPositionAndPlace) {
  Modello m;
  EXPECT_EQ(avviso_dati(m), "");
  m.registra_errore(codice::cella_segnale_occupata, 2300, Luogo{});
  EXPECT_EQ(avviso_dati(m),
            "scenari: warning: error code 16 (signal cell already taken) at 2300 m");
  m.registra_errore(codice::cella_segnale_occupata, 2300, Luogo{"/run/x-.txt", 21, 1});
  m.registra_avviso("unknown-keyword", Luogo{"/run/x-.txt", 30, 1}, "not a keyword");
  EXPECT_EQ(avviso_dati(m),
            "scenari: warning: error code 16 (signal cell already taken) at 2300 m, /run/x-.txt:21");
}

TEST_F(Avvio, ANormalRunLeavesTheSixFilesAndEndsWithStatus0) {
  platform::Files files;
  EXPECT_EQ(esegui_con(files), uscita_ok);
  EXPECT_EQ(contenuto(), (std::set<std::string>{
                             prefisso + ".dat", prefisso + ".sim", prefisso + "_note.txt",
                             prefisso + "_rallentamenti.txt", prefisso + "_scheda_treno.txt",
                             "Lago Fontana_Lago Marinella_linea.dat"}));
  EXPECT_EQ(finestra.chiamate, (std::vector<std::string>{"show Form1 Attendere", "close"}));
}

TEST_F(Avvio, AFailedWriteStopsTheRunWithPathReasonAndStatus1) {
  test::FaultyFiles disco_pieno(test::fail_on(platform::Operation::write, "_rallentamenti.txt", ENOSPC));
  EXPECT_EQ(esegui_con(disco_pieno), uscita_errore_file);
  const std::string percorso = (cartella / (prefisso + "_rallentamenti.txt")).string();
  ASSERT_EQ(finestra.chiamate.size(), 3u);
  EXPECT_EQ(finestra.chiamate[1], "report scenari: " + percorso + ": No space left on device");
  EXPECT_EQ(finestra.chiamate[2], "close");
  // The writers before it finished; the card and the binaries never ran.
  EXPECT_EQ(contenuto(), (std::set<std::string>{"Lago Fontana_Lago Marinella_linea.txt",
                                                prefisso + "-.txt", prefisso + "_note.txt"}));
}

TEST_F(Avvio, AMissingDirectoryIsAFileError) {
  platform::Files files;
  EXPECT_EQ(esegui(finestra, files, (cartella / "missing").string()), uscita_errore_file);
  EXPECT_TRUE(contenuto().empty());
}

TEST_F(Avvio, AnUnreadableDescriptionTextIsAFileErrorAndNoBinaryIsWritten) {
  test::FaultyFiles illeggibile(test::fail_on(platform::Operation::open_read, "-.txt", ENOSPC));
  EXPECT_EQ(esegui_con(illeggibile), uscita_errore_file);
  ASSERT_EQ(finestra.chiamate.size(), 3u);
  EXPECT_TRUE(finestra.chiamate[1].starts_with("report scenari: " + cartella.str()))
      << finestra.chiamate[1];
  EXPECT_FALSE(contenuto().contains(prefisso + ".dat"));
  EXPECT_TRUE(contenuto().contains(prefisso + "_scheda_treno.txt"));
}
