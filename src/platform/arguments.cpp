#include "platform/arguments.h"

namespace scenari::platform {

Arguments::Arguments(int argc, char** argv) : words_(argv, argv + argc) {
  for (std::string& word : words_) pointers_.push_back(word.data());
  pointers_.push_back(nullptr);
}

}  // namespace scenari::platform
