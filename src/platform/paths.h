// Splitting and joining paths, and paths as std::filesystem sees them. The
// strings of the program are UTF-8; "/" separates everywhere, "\" too on
// Windows, where a drive ("C:") or a share ("\\server\share") begins a path.
#pragma once

#include <filesystem>
#include <string>

namespace scenari::platform {

bool is_separator(char c);
// The directory part of `path`: "." for a bare name, the root for a file
// directly under it ("/", "C:\", "\\server\share\").
std::string directory_of(const std::string& path);
// The last part of `path`, after its directory.
std::string name_of(const std::string& path);

// The path of a UTF-8 string for std::filesystem, and the UTF-8 string of a
// path's last part: never the ANSI code page Windows would use for char.
inline std::filesystem::path filesystem_path(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}
inline std::string utf8_name(const std::filesystem::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace scenari::platform
