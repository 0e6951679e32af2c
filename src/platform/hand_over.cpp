#include "platform/hand_over.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/files.h"

namespace scenari::platform {

int hand_over(const std::string& program, char* const* arguments) {
  std::string name = program;
  std::vector<char*> words{name.data()};
  for (char* const* word = arguments + 1; *word != nullptr; ++word) words.push_back(*word);
  words.push_back(nullptr);
  std::fflush(nullptr);  // the new program image starts with empty buffers
  ::execv(program.c_str(), words.data());
  throw FileError(program, describe(errno));
}

}  // namespace scenari::platform
