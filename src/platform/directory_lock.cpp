#include "platform/directory_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <map>

#include "platform/descriptor.h"
#include "platform/files.h"

namespace scenari::platform {

namespace {

struct Held {
  int fd;
  int count;
};

// The locks this process holds, by directory. A second flock on another
// descriptor of the same directory would wait for this very process.
std::map<std::pair<unsigned long long, unsigned long long>, Held>& held_locks() {
  static std::map<std::pair<unsigned long long, unsigned long long>, Held> locks;
  return locks;
}

void lock(int fd, const std::string& directory, bool wait) {
  const int mode = wait ? LOCK_EX : LOCK_EX | LOCK_NB;
  while (::flock(fd, mode) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) {
      throw FileError(directory, "another process is writing in this directory (locked)");
    }
    throw FileError(directory, describe(errno));
  }
}

}  // namespace

DirectoryLock::DirectoryLock(const std::string& directory, bool wait) {
  Descriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) throw FileError(directory, describe(errno));
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throw FileError(directory, describe(errno));
  key_ = {static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino)};
  auto& locks = held_locks();
  if (auto it = locks.find(key_); it != locks.end()) {
    ++it->second.count;
    return;
  }
  lock(fd.get(), directory, wait);
  locks.emplace(key_, Held{fd.release(), 1});
}

DirectoryLock::~DirectoryLock() {
  auto& locks = held_locks();
  auto it = locks.find(key_);
  if (--it->second.count > 0) return;
  ::close(it->second.fd);
  locks.erase(it);
}

}  // namespace scenari::platform
