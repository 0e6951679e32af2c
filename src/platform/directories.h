// Directories: creating one with its parents, and listing the files of one.
#pragma once

#include <string>
#include <vector>

namespace scenari::platform {

// Creates `path` and every missing parent; an existing directory is left as
// it is. Throws FileError naming the path and the system's reason.
void create_directories(const std::string& path);

// The names (not paths) of the regular files directly inside `path`, sorted.
// Throws FileError when the directory cannot be read.
std::vector<std::string> file_names(const std::string& path);

}  // namespace scenari::platform
