#include "platform/directories.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace scenari::platform {

namespace fs = std::filesystem;

void create_directories(const std::string& path) {
  std::error_code e;
  fs::create_directories(path, e);
  if (e) throw FileError(path, e.message());
  if (!fs::is_directory(path, e)) throw FileError(path, "exists and is not a directory");
}

std::vector<std::string> file_names(const std::string& path) {
  std::error_code e;
  fs::directory_iterator it(path, e);
  if (e) throw FileError(path, e.message());
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(e)) {
    if (e) throw FileError(path, e.message());
    if (it->is_regular_file(e)) names.push_back(it->path().filename().string());
  }
  if (e) throw FileError(path, e.message());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace scenari::platform
