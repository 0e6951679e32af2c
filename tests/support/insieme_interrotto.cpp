// The child process of the tests of sets and locks, on every system:
//   insieme_interrotto set|recover DIR N with-links|without-links
// replaces the test set in DIR, or recovers DIR, and ends with status 9 at
// the N-th file operation as a killed run would;
//   insieme_interrotto lock DIR
// takes DIR's lock without waiting: status 0, or 1 with the error printed.
#include <iostream>
#include <string>

#include "platform/arguments.h"
#include "platform/directory_lock.h"
#include "platform/paths.h"
#include "support/insieme.h"

namespace {

using namespace scenari;

int try_lock(const std::string& directory) {
  try {
    const platform::DirectoryLock lock(directory, false);
    return 0;
  } catch (const platform::FileError& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
}

int interrupted(const std::string& step, const std::string& directory, int n, bool without_links) {
  test::FaultyFiles files = test::ended_at(n, without_links);
  if (step == "set") {
    files.replace_set(test::new_outputs(platform::filesystem_path(directory)));
  } else {
    files.recover(directory);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  platform::Arguments arguments(argc, argv);
  argv = arguments.values();
  const std::string step = arguments.count() > 1 ? argv[1] : "";
  if (step == "lock" && arguments.count() == 3) return try_lock(argv[2]);
  if ((step == "set" || step == "recover") && arguments.count() == 5) {
    return interrupted(step, argv[2], std::stoi(argv[3]), std::string(argv[4]) == "without-links");
  }
  std::cerr << "usage: insieme_interrotto set|recover DIR N with-links|without-links\n"
               "       insieme_interrotto lock DIR\n";
  return 64;
}
