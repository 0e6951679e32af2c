#include <algorithm>

#include "platform/files.h"
#include "platform/paths.h"

namespace scenari::platform {

namespace {

constexpr const char* separators = "/\\";

// How much of `path` is its root: "C:", "C:\", "\", or "\\server\share\".
std::size_t root_length(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && is_separator(path[2]) ? 3 : 2;
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
    const auto server_end = path.find_first_of(separators, 2);
    if (server_end == std::string::npos) return path.size();
    const auto share_end = path.find_first_of(separators, server_end + 1);
    return share_end == std::string::npos ? path.size() : share_end + 1;
  }
  return !path.empty() && is_separator(path[0]) ? 1 : 0;
}

}  // namespace

bool is_separator(char c) { return c == '/' || c == '\\'; }

std::string directory_of(const std::string& path) {
  const std::size_t root = root_length(path);
  const auto last = path.find_last_of(separators);
  if (last == std::string::npos || last < root) return root == 0 ? "." : path.substr(0, root);
  return path.substr(0, std::max(last, root));
}

std::string name_of(const std::string& path) {
  const auto last = path.find_last_of(separators);
  const std::size_t start = last == std::string::npos ? 0 : last + 1;
  return path.substr(std::max(start, root_length(path)));
}

std::string join(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  // "C:" names the drive's current directory, which a separator would leave.
  if (is_separator(directory.back()) || (directory.size() == 2 && directory[1] == ':')) {
    return directory + name;
  }
  return directory + "\\" + name;
}

}  // namespace scenari::platform
