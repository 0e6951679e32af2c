// inotify on the directories that hold the files: an editor that saves by
// writing a new file and renaming it over the old one leaves a watch on
// the file itself pointing at the old one.
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <map>
#include <optional>

#include "platform/file_polling.h"
#include "platform/file_watcher.h"

namespace scenari::platform {

namespace {

constexpr std::uint32_t directory_events = IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE |
                                           IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                           IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// Events that leave the watch of a directory useless.
constexpr std::uint32_t watch_lost = IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_Q_OVERFLOW;

std::string directory_of(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

}  // namespace

struct FileWatcher::State {
  std::vector<std::string> paths;
  int descriptor = -1;
  std::map<int, std::vector<std::string>> names;  // the file names watched in each directory
  std::optional<FilePolling> polling;

  explicit State(std::vector<std::string> p) : paths(std::move(p)) {
    if (!watch()) poll_instead();
  }
  ~State() { close_descriptor(); }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  // False when the system cannot watch every directory.
  bool watch() {
    descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0) return false;
    std::map<std::string, int> watches;
    for (const std::string& path : paths) {
      const std::string directory = directory_of(path);
      auto found = watches.find(directory);
      if (found == watches.end()) {
        const int watch = inotify_add_watch(descriptor, directory.c_str(), directory_events);
        if (watch < 0) return false;
        found = watches.emplace(directory, watch).first;
      }
      names[found->second].push_back(std::filesystem::path(path).filename().string());
    }
    return true;
  }

  void close_descriptor() {
    if (descriptor >= 0) ::close(descriptor);
    descriptor = -1;
  }

  void poll_instead() {
    close_descriptor();
    polling.emplace(paths);
  }

  bool concerns(const inotify_event& e) const {
    if ((e.mask & watch_lost) != 0) return true;
    const auto watched = names.find(e.wd);
    if (watched == names.end() || e.len == 0) return false;
    return std::find(watched->second.begin(), watched->second.end(), e.name) != watched->second.end();
  }

  // Reads every event waiting; true when one concerns the files. A lost
  // watch switches to polling.
  bool take_events() {
    alignas(inotify_event) std::array<char, 16384> buffer;
    bool changed = false;
    bool lost = false;
    for (;;) {
      const ssize_t n = ::read(descriptor, buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      for (ssize_t at = 0; at < n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer.data() + at);
        changed = changed || concerns(*e);
        lost = lost || (e->mask & watch_lost) != 0;
        at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
    if (lost) poll_instead();
    return changed;
  }
};

FileWatcher::FileWatcher(const std::vector<std::string>& paths)
    : state_(std::make_unique<State>(paths)) {}

FileWatcher::~FileWatcher() = default;

bool FileWatcher::notified() const { return !state_->polling; }

bool FileWatcher::wait(std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (state_->polling) {
      return state_->polling->wait(std::chrono::duration_cast<std::chrono::milliseconds>(
          std::max(end - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration::zero())));
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    pollfd p{state_->descriptor, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
    if (ready < 0 && errno != EINTR) {
      state_->poll_instead();
      continue;
    }
    if (ready > 0 && state_->take_events()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
  }
}

}  // namespace scenari::platform
