// Replaces the test set in DIR, or recovers DIR, and ends with status 9 at
// the N-th file operation as a killed run would: what the tests of a set
// interrupted anywhere run as their child, on every system.
//   insieme_interrotto set|recover DIR N with-links|without-links
#include <iostream>
#include <string>

#include "platform/arguments.h"
#include "platform/paths.h"
#include "support/insieme.h"

int main(int argc, char** argv) {
  scenari::platform::Arguments arguments(argc, argv);
  argv = arguments.values();
  if (arguments.count() != 5) {
    std::cerr << "usage: insieme_interrotto set|recover DIR N with-links|without-links\n";
    return 64;
  }
  const std::string step = argv[1], directory = argv[2];
  scenari::test::FaultyFiles files =
      scenari::test::ended_at(std::stoi(argv[3]), std::string(argv[4]) == "without-links");
  if (step == "set") {
    files.replace_set(scenari::test::new_outputs(scenari::platform::filesystem_path(directory)));
  } else {
    files.recover(directory);
  }
  return 0;
}
