// Waits for changes to a few files however an editor saves them: written in
// place, replaced through a rename, or removed and created again.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace scenari::platform {

class FileWatcher {
 public:
  // Watches `paths`, which need not exist yet. Uses the system's change
  // notifications where it can, and otherwise looks at the files a few
  // times a second.
  explicit FileWatcher(const std::vector<std::string>& paths);
  ~FileWatcher();
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;

  // Waits up to `timeout` for a change to one of the files: true when one
  // came. The changes that came meanwhile are all taken, so one save is
  // reported once or, when the editor writes it in several steps, a few
  // times in a row.
  bool wait(std::chrono::milliseconds timeout);
  // False when the files are looked at in turn instead.
  bool notified() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace scenari::platform
