// Windows has no lock on a directory itself, so the lock is a named mutex
// whose name is the directory's identity (volume and file index): every
// path to the directory finds the same one, no file is left behind, and
// the system releases it when its holder ends, however it ends.
#include <map>

#include "platform/directory_lock.h"
#include "platform/files.h"
#include "platform/wide_windows.h"

namespace scenari::platform {

namespace {

using Key = std::pair<unsigned long long, unsigned long long>;

struct Held {
  HANDLE mutex;
  int count;
};

std::map<Key, Held>& held_locks() {
  static std::map<Key, Held> locks;
  return locks;
}

Key identity_of(const std::string& directory) {
  Handle handle(::CreateFileW(wide(directory).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.valid()) throw FileError(directory, last_reason());
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle.get(), &info)) throw FileError(directory, last_reason());
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) throw FileError(directory, "not a directory");
  return {info.dwVolumeSerialNumber,
          (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

HANDLE lock(const Key& key, const std::string& directory, bool wait) {
  const std::wstring name =
      L"Local\\scenari-" + std::to_wstring(key.first) + L"-" + std::to_wstring(key.second);
  Handle mutex(::CreateMutexW(nullptr, FALSE, name.c_str()));
  if (!mutex.valid()) throw FileError(directory, last_reason());
  // An abandoned mutex is taken like a released one: its holder ended in
  // the middle of a set, which the journal lets the new holder finish.
  switch (::WaitForSingleObject(mutex.get(), wait ? INFINITE : 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
      return mutex.release();
    case WAIT_TIMEOUT:
      throw FileError(directory, "another process is writing in this directory (locked)");
    default:
      throw FileError(directory, last_reason());
  }
}

}  // namespace

DirectoryLock::DirectoryLock(const std::string& directory, bool wait) : key_(identity_of(directory)) {
  auto& locks = held_locks();
  if (auto it = locks.find(key_); it != locks.end()) {
    ++it->second.count;
    return;
  }
  locks.emplace(key_, Held{lock(key_, directory, wait), 1});
}

DirectoryLock::~DirectoryLock() {
  auto& locks = held_locks();
  auto it = locks.find(key_);
  if (--it->second.count > 0) return;
  ::ReleaseMutex(it->second.mutex);
  ::CloseHandle(it->second.mutex);
  locks.erase(it);
}

}  // namespace scenari::platform
