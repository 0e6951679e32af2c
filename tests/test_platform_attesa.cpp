// Watching files and stopping on request: what `serve` waits on.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/file_polling.h"
#include "platform/file_watcher.h"
#include "platform/stop_requests.h"
#include "support/ausili.h"

namespace {

using namespace std::chrono_literals;
namespace test = scenari::test;
using scenari::platform::FilePolling;
using scenari::platform::FileWatcher;

// Each way an editor saves, seen by the watcher and by polling alike.
template <typename Watch>
void sees_every_way_of_saving(test::TestDirectory& d, const char* what) {
  SCOPED_TRACE(what);
  const auto text = d / "Linea_linea.txt";
  test::write_file(text, "one");
  Watch w({text.string(), (d / "Linea_1-.txt").string()});

  test::write_file(d / "other.txt", "not watched");
  EXPECT_FALSE(w.wait(500ms)) << "a file beside them";

  test::write_file(text, "two, longer");
  EXPECT_TRUE(w.wait(2s)) << "written in place";
  while (w.wait(300ms)) {
  }

  test::write_file(d / "Linea_linea.txt.tmp", "three, by a rename");
  std::filesystem::rename(d / "Linea_linea.txt.tmp", text);
  EXPECT_TRUE(w.wait(2s)) << "replaced by a rename";
  while (w.wait(300ms)) {
  }

  test::write_file(d / "Linea_1-.txt", "train");
  EXPECT_TRUE(w.wait(2s)) << "the missing one created";
  while (w.wait(300ms)) {
  }

  std::filesystem::remove(text);
  EXPECT_TRUE(w.wait(2s)) << "removed";
}

TEST(FileWatcher, SeesEveryWayOfSavingAndNothingElse) {
  test::TestDirectory d("sorveglia");
  sees_every_way_of_saving<FileWatcher>(d, "notifications");
#ifndef _WIN32
  EXPECT_TRUE(FileWatcher({(d / "x").string()}).notified());
#endif
  test::TestDirectory e("sonda");
  sees_every_way_of_saving<FilePolling>(e, "polling");
}

#ifndef _WIN32
// Windows has only the polling, which a directory going does not disturb.
TEST(FileWatcher, FallsBackToPollingWhenItsDirectoryGoes) {
  test::TestDirectory d("sorveglia");
  const auto cartella = d / "testi";
  std::filesystem::create_directory(cartella);
  FileWatcher w({(cartella / "a.txt").string()});
  std::filesystem::remove(cartella);
  EXPECT_TRUE(w.wait(2s));
  EXPECT_FALSE(w.notified());
  std::filesystem::create_directory(cartella);
  test::write_file(cartella / "a.txt", "back");
  EXPECT_TRUE(w.wait(2s));
}

// SIGTERM and SIGINT run the handler once, on its own thread, instead of
// ending the process; the child shows it by ending with status 0.
TEST(StopRequests, TurnSignalsIntoOneOrderlyStop) {
  const test::ProcessEnd end = test::run_in_child([] {
    std::atomic<int> calls{0};
    {
      scenari::platform::StopRequests stop([&] { ++calls; });
      std::thread worker([] { std::this_thread::sleep_for(200ms); });
      kill(getpid(), SIGTERM);
      for (int i = 0; i < 200 && !stop.requested(); ++i) std::this_thread::sleep_for(10ms);
      worker.join();
      if (!stop.requested()) throw std::runtime_error("no request seen");
    }
    if (calls != 1) throw std::runtime_error("the handler ran " + std::to_string(calls) + " times");
  });
  EXPECT_EQ(end.signal, 0);
  EXPECT_EQ(end.status, 0);
}
#endif

}  // namespace
