// What the benchmark cases share: the name of their scratch directories,
// plain whole-file reads and writes for the floors, and a window that shows
// nothing.
#pragma once

#include <string>
#include <string_view>

#include "platform/scratch_directory.h"
#include "platform/window.h"

namespace scenari::bench {

// What the bench's scratch directories are called, so leftovers say who
// made them.
inline constexpr std::string_view prefisso_scratch = "scenari-bench";

// One open, one read of the whole size, one close.
std::string leggi_blocco(const std::string& percorso);
// One open (truncating), one write of all the bytes, one close.
void scrivi_blocco(const std::string& percorso, std::string_view byte);

class FinestraMuta : public platform::Window {
 public:
  void show(const std::string&, const std::string&) override {}
  void report_error(const std::string& message) override;
  void close() override {}
};

}  // namespace scenari::bench
