// The command line as UTF-8 words. Windows hands a program its arguments in
// the ANSI code page, where a name outside it loses letters; they are read
// there in UTF-16 instead, so a route name names its files as typed.
#pragma once

#include <string>
#include <vector>

namespace scenari::platform {

class Arguments {
 public:
  Arguments(int argc, char** argv);
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;

  int count() const { return static_cast<int>(pointers_.size()) - 1; }
  // argv-like: `count()` words and a null pointer.
  char** values() { return pointers_.data(); }

 private:
  std::vector<std::string> words_;
  std::vector<char*> pointers_;
};

}  // namespace scenari::platform
