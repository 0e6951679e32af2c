// Fault injection: the whole run, with every file operation it performs made
// to fail in turn through the file layer's fault seam.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "esecuzione/avvio.h"
#include "esecuzione/nomi_file.h"
#include "support/ausili.h"

namespace fs = std::filesystem;
using namespace scenari;
using platform::Operation;

namespace {

class FinestraMuta : public platform::Window {
 public:
  void show(const std::string&, const std::string&) override {}
  void report_error(const std::string& message) override { messaggi.push_back(message); }
  void close() override {}

  std::vector<std::string> messaggi;
};

const std::vector<std::string> uscite = {
    "Lago Fontana_Lago Marinella_40572_note.txt",
    "Lago Fontana_Lago Marinella_40572_rallentamenti.txt",
    "Lago Fontana_Lago Marinella_40572_scheda_treno.txt",
    "Lago Fontana_Lago Marinella_linea.dat",
    "Lago Fontana_Lago Marinella_40572.sim",
    "Lago Fontana_Lago Marinella_40572.dat",
};
const std::vector<std::string> binari(uscite.begin() + 3, uscite.end());

const char* nome_tipo(Operation tipo) {
  switch (tipo) {
    case Operation::create: return "create";
    case Operation::write: return "write";
    case Operation::rename: return "rename";
    case Operation::remove: return "remove";
    case Operation::open_read: return "open_read";
    case Operation::link: return "link";
    case Operation::fsync: return "fsync";
  }
  return "?";
}

class Guasti : public ::testing::Test {
 protected:
  // A directory holding an older version of every output file.
  void prepara_vecchie_versioni() {
    for (const auto& f : uscite) test::write_file(cartella / f, "old " + f);
  }

  void svuota() {
    for (const auto& voce : fs::directory_iterator(cartella.path())) fs::remove(voce.path());
  }

  int esegui_con(test::FaultyFiles& files, FinestraMuta& finestra) {
    return esegui(finestra, files, cartella.str());
  }

  const test::TestDirectory cartella{"guasti"};
};

}  // namespace

TEST_F(Guasti, EveryFailedOperationIsReportedAndLeavesNoPartialFile) {
  test::FaultyFiles pulito(test::fail_nth(Operation::create, 0));
  FinestraMuta finestra_pulita;
  prepara_vecchie_versioni();
  const auto vecchi = test::file_contents(cartella.path());
  ASSERT_EQ(esegui_con(pulito, finestra_pulita), uscita_ok);
  const auto nuovi = test::file_contents(cartella.path());
  ASSERT_EQ(nuovi.size(), uscite.size());
  // Five texts and three binaries are written, two working texts are read
  // and deleted.
  EXPECT_EQ(pulito.counts[Operation::create], 8);
  EXPECT_EQ(pulito.counts[Operation::remove], 2);

  int prove = 0;
  for (Operation tipo : {Operation::create, Operation::write, Operation::rename,
                         Operation::remove, Operation::open_read}) {
    for (int n = 1; n <= pulito.counts[tipo]; ++n) {
      SCOPED_TRACE(std::string(nome_tipo(tipo)) + " #" + std::to_string(n));
      svuota();
      prepara_vecchie_versioni();
      test::FaultyFiles files(test::fail_nth(tipo, n));
      FinestraMuta finestra;
      EXPECT_EQ(esegui_con(files, finestra), uscita_errore_file);
      ASSERT_FALSE(files.failed_path.empty());
      ASSERT_EQ(finestra.messaggi.size(), 1u);
      const std::string& messaggio = finestra.messaggi[0];
      EXPECT_NE(messaggio.find(files.failed_path), std::string::npos) << messaggio;
      EXPECT_NE(messaggio.find(std::strerror(EIO)), std::string::npos) << messaggio;

      const auto dopo = test::file_contents(cartella.path());
      for (const auto& [nome, byte] : dopo) {
        EXPECT_EQ(nome.find(".tmp-"), std::string::npos) << "left behind: " << nome;
      }
      // A file the run had replaced before the failure holds the whole new
      // version; every other one its older version.
      for (const auto& f : uscite) {
        ASSERT_TRUE(dopo.contains(f)) << f;
        EXPECT_TRUE(dopo.at(f) == vecchi.at(f) || dopo.at(f) == nuovi.at(f)) << f;
      }
      // The simulator loads the three binaries together: all old or all new.
      const bool primo_nuovo = dopo.at(binari[0]) == nuovi.at(binari[0]);
      for (const auto& f : binari) EXPECT_EQ(dopo.at(f) == nuovi.at(f), primo_nuovo) << f;
      ++prove;
    }
  }
  EXPECT_GE(prove, 28);
}
