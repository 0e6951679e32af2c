#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/program_directory.h"
#include "platform/wide_windows.h"

namespace scenari::platform {

std::string program_directory() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) throw FileError("the program's path", last_reason());
    if (n < buffer.size()) return directory_of(narrow({buffer.data(), n}));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace scenari::platform
