#include "platform/standard_output.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

#include "platform/descriptor.h"

namespace scenari::platform {

void guard_standard_streams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", O_RDONLY);
  }
  std::cout.exceptions(std::ios::badbit);
}

FileError standard_output_failure() {
  const int error = errno;
  return FileError("standard output", error != 0 ? describe(error) : "write failed");
}

void finish_standard_output() {
  errno = 0;
  try {
    std::cout.flush();
  } catch (const std::ios_base::failure&) {
    throw standard_output_failure();
  }
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) throw standard_output_failure();
}

}  // namespace scenari::platform
