// One writer at a time in a directory: a lock on the directory itself (flock;
// on Windows a mutex named after it), so no lock file is ever left behind.
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
  // The directory's identity: device and inode, or volume and file index.
  std::pair<unsigned long long, unsigned long long> key_;
};

}  // namespace scenari::platform
