#include "platform/stdio_binary.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files.h"

namespace scenari::platform {

void prepare_standard_streams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", O_RDONLY);
  }
}

void binary_standard_streams() {}

std::size_t read_standard_input(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw FileError("standard input", std::strerror(errno));
  }
}

bool standard_input_waiting() {
  pollfd p{STDIN_FILENO, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0;
}

void write_standard_output(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("standard output", std::strerror(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace scenari::platform
