// On Windows the files are looked at in turn: a save shows within a fifth
// of a second, well inside the second a live page has to redraw.
#include <optional>

#include "platform/file_polling.h"
#include "platform/file_watcher.h"

namespace scenari::platform {

struct FileWatcher::State {
  FilePolling polling;
};

FileWatcher::FileWatcher(const std::vector<std::string>& paths)
    : state_(std::make_unique<State>(State{FilePolling(paths)})) {}

FileWatcher::~FileWatcher() = default;

bool FileWatcher::notified() const { return false; }

bool FileWatcher::wait(std::chrono::milliseconds timeout) { return state_->polling.wait(timeout); }

}  // namespace scenari::platform
