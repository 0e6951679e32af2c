// One writer at a time in a directory: a lock (flock) on the directory
// itself, so no lock file is ever left behind.
#pragma once

#include <string>
#include <utility>

namespace scenari::platform {

class DirectoryLock {
 public:
  // Waits for another process that holds the lock when `wait` is true;
  // otherwise throws FileError naming the directory at once. A process that
  // already holds the lock on the directory takes it again without waiting,
  // so a run that locks its directory may call what locks it too.
  DirectoryLock(const std::string& directory, bool wait);
  ~DirectoryLock();
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

 private:
  // The directory's device and inode number.
  std::pair<unsigned long long, unsigned long long> key_;
};

}  // namespace scenari::platform
