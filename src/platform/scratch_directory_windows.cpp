#include <random>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/scratch_directory.h"
#include "platform/wide_windows.h"

namespace scenari::platform {

namespace {

std::string temporary_root() {
  wchar_t buffer[MAX_PATH + 2];
  const DWORD n = ::GetTempPathW(MAX_PATH + 2, buffer);
  if (n == 0 || n > MAX_PATH + 1) throw FileError("the temporary directory", last_reason());
  return narrow({buffer, n});
}

}  // namespace

ScratchDirectory::ScratchDirectory(std::string_view prefix) {
  const std::string root = temporary_root();
  std::mt19937_64 random(std::random_device{}() ^ ::GetTickCount64() ^ ::GetCurrentProcessId());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = join(root, std::string(prefix) + "-" + std::to_string(random() % 1000000000));
    if (::CreateDirectoryW(wide(path).c_str(), nullptr)) {
      path_ = path;
      return;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) throw FileError(path, last_reason());
  }
  throw FileError(root, "no free name for a scratch directory");
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(filesystem_path(path_), ignored);
}

}  // namespace scenari::platform
