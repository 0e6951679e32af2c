#include "platform/directories.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/paths.h"

namespace scenari::platform {

namespace fs = std::filesystem;

void create_directories(const std::string& path) {
  std::error_code e;
  fs::create_directories(filesystem_path(path), e);
  if (e) throw FileError(path, e.message());
  if (!fs::is_directory(filesystem_path(path), e)) throw FileError(path, "exists and is not a directory");
}

namespace {

// The names of the entries of `path` that `keep` accepts, sorted.
template <typename Keep>
std::vector<std::string> names(const std::string& path, Keep keep) {
  std::error_code e;
  fs::directory_iterator it(filesystem_path(path), e);
  if (e == std::errc::no_such_file_or_directory) throw FileError(path, "no such directory");
  if (e == std::errc::not_a_directory) throw FileError(path, "not a directory");
  if (e) throw FileError(path, e.message());
  std::vector<std::string> found;
  for (; it != fs::directory_iterator(); it.increment(e)) {
    if (e) throw FileError(path, e.message());
    if (keep(*it, e)) found.push_back(utf8_name(it->path()));
  }
  if (e) throw FileError(path, e.message());
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

std::vector<std::string> file_names(const std::string& path) {
  return names(path, [](const fs::directory_entry& d, std::error_code& e) {
    return d.is_regular_file(e);
  });
}

std::vector<std::string> entry_names(const std::string& path) {
  return names(path, [](const fs::directory_entry&, std::error_code&) { return true; });
}

}  // namespace scenari::platform
