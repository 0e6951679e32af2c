#include "platform/paths.h"

#include "platform/files.h"

namespace scenari::platform {

bool is_separator(char c) { return c == '/'; }

std::string directory_of(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string name_of(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string join(const std::string& directory, const std::string& name) {
  return directory + "/" + name;
}

}  // namespace scenari::platform
