#include "platform/terminal.h"

#include <unistd.h>

#include <cstdlib>

namespace scenari::platform {

bool colour_wanted(Stream stream) {
  if (std::getenv("NO_COLOR") != nullptr) return false;
  return ::isatty(stream == Stream::output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

}  // namespace scenari::platform
