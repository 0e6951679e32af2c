#include <windows.h>

#include <cstdlib>

#include "platform/terminal.h"

namespace scenari::platform {

// A console shows colour once it is asked to read escape sequences, which
// consoles older than Windows 10 refuse.
bool colour_wanted(Stream stream) {
  if (std::getenv("NO_COLOR") != nullptr) return false;
  const HANDLE console = ::GetStdHandle(stream == Stream::output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  return ::GetConsoleMode(console, &mode) &&
         ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace scenari::platform
