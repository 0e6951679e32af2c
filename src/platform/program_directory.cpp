#include "platform/program_directory.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/files.h"

namespace scenari::platform {

std::string program_directory() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) throw FileError("/proc/self/exe", std::strerror(errno));
    if (static_cast<std::size_t>(n) < buffer.size()) {
      std::string path(buffer.data(), static_cast<std::size_t>(n));
      auto slash = path.rfind('/');
      return slash == 0 ? std::string("/") : path.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace scenari::platform
