// Directories: creating one with its parents, and listing what one holds.
#pragma once

#include <string>
#include <vector>

namespace scenari::platform {

// Creates `path` and every missing parent; an existing directory is left as
// it is. Throws FileError naming the path and the system's reason.
void create_directories(const std::string& path);

// The names (not paths) of the regular files directly inside `path`, sorted.
// Throws FileError when the directory cannot be read ("no such directory",
// "not a directory" or the system's reason).
std::vector<std::string> file_names(const std::string& path);

// The names of every entry directly inside `path`, of any kind, sorted;
// throws as file_names does.
std::vector<std::string> entry_names(const std::string& path);

}  // namespace scenari::platform
