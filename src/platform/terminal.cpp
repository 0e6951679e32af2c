#include "platform/terminal.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace scenari::platform {

namespace {

std::string_view variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

bool colour_wanted(Stream stream) {
  if (!variable("NO_COLOR").empty() || variable("TERM") == "dumb") return false;
  return ::isatty(stream == Stream::output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

}  // namespace scenari::platform
