#include "platform/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

#include "platform/files.h"
#include "platform/stdio_binary.h"

namespace scenari::platform {

void guard_standard_streams() {
  prepare_standard_streams();
  std::cout.exceptions(std::ios::badbit);
}

FileError standard_output_failure() {
  const int error = errno;
  return FileError("standard output", error != 0 ? describe(error) : "write failed");
}

void finish_standard_output() {
  // The flush at exit must not throw: that would abort the program.
  std::cout.exceptions(std::ios::goodbit);
  errno = 0;
  std::cout.flush();
  if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    throw standard_output_failure();
  }
}

}  // namespace scenari::platform
