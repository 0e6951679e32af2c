#include "platform/file_polling.h"

#include <algorithm>
#include <filesystem>
#include <thread>

namespace scenari::platform {

FilePolling::FilePolling(std::vector<std::string> paths) : paths_(std::move(paths)), last_(look()) {}

std::vector<FilePolling::Look> FilePolling::look() const {
  std::vector<Look> looks;
  for (const std::string& path : paths_) {
    std::error_code error;
    Look l;
    const std::filesystem::path p(path);
    l.present = std::filesystem::is_regular_file(p, error);
    if (l.present) {
      l.size = std::filesystem::file_size(p, error);
      l.modified = std::filesystem::last_write_time(p, error).time_since_epoch().count();
    }
    looks.push_back(l);
  }
  return looks;
}

bool FilePolling::wait(std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    std::vector<Look> now = look();
    if (now != last_) {
      last_ = std::move(now);
      return true;
    }
    const auto left = end - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) return false;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, interval));
  }
}

}  // namespace scenari::platform
