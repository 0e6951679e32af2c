// Changes to files found by looking at them in turn: what the file watcher
// falls back to where the system gives no notifications.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace scenari::platform {

class FilePolling {
 public:
  explicit FilePolling(std::vector<std::string> paths);

  // Looks every `interval` until one of the files differs in presence,
  // size or modification time from the last look, or `timeout` passes.
  bool wait(std::chrono::milliseconds timeout);

  static constexpr std::chrono::milliseconds interval{200};

 private:
  struct Look {
    bool present = false;
    unsigned long long size = 0;
    long long modified = 0;
    bool operator==(const Look&) const = default;
  };
  std::vector<Look> look() const;

  std::vector<std::string> paths_;
  std::vector<Look> last_;
};

}  // namespace scenari::platform
