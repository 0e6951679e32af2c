#include "platform/scratch_directory.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

namespace scenari::platform {

namespace {

// The system's temporary directory, or /tmp when it cannot be told.
std::filesystem::path temporary_root() {
  std::error_code error;
  std::filesystem::path root = std::filesystem::temp_directory_path(error);
  return error ? std::filesystem::path("/tmp") : root;
}

}  // namespace

ScratchDirectory::ScratchDirectory(std::string_view prefix) {
  std::string name_template = (temporary_root() / (std::string(prefix) + "-XXXXXX")).string();
  if (::mkdtemp(name_template.data()) == nullptr) {
    throw FileError(name_template, std::strerror(errno));
  }
  path_ = name_template;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace scenari::platform
