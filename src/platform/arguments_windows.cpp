#include <windows.h>

#include <shellapi.h>

#include "platform/arguments.h"
#include "platform/wide_windows.h"

namespace scenari::platform {

Arguments::Arguments(int argc, char** argv) {
  int count = 0;
  if (wchar_t** wide_words = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) words_.push_back(narrow(wide_words[i]));
    ::LocalFree(wide_words);
  } else {
    words_.assign(argv, argv + argc);
  }
  for (std::string& word : words_) pointers_.push_back(word.data());
  pointers_.push_back(nullptr);
}

}  // namespace scenari::platform
