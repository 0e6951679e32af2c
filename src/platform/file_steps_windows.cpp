#include <random>
#include <thread>

#include "platform/file_steps.h"
#include "platform/wide_windows.h"

namespace scenari::platform {

namespace {

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool is_missing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Another program (the simulator reading its files, an antivirus scanning
// a new one) may hold a file for a moment: a rename or removal refused for
// that is tried again for about a second before it counts as failed.
template <typename Step>
bool retried(Step step) {
  constexpr int attempts = 20;
  for (int attempt = 1;; ++attempt) {
    if (step()) return true;
    const DWORD error = ::GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                      error == ERROR_ACCESS_DENIED;
    if (!held || attempt == attempts) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::SetLastError(error);
  }
}

Handle open_for_identity(const std::string& path) {
  return Handle(::CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES, share_all, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

void write_all(HANDLE file, std::string_view bytes, const std::string& named) {
  while (!bytes.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), piece_size));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), piece, &written, nullptr)) throw FileError(named, last_reason());
    bytes.remove_prefix(written);
  }
}

std::string random_letters(std::size_t count) {
  static std::mt19937_64 random(std::random_device{}() ^ ::GetTickCount64() ^
                                (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32));
  constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += letters[random() % letters.size()];
  return text;
}

// Refuses anything but a plain file on the disk: a device, a pipe, or a
// symbolic link opened as itself.
void refuse_non_regular_handle(HANDLE file, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file) != FILE_TYPE_DISK) refuse_kind(path, Kind::other);
  if (!::GetFileInformationByHandle(file, &info)) throw FileError(path, last_reason());
  if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) throw FileError(path, "is a symbolic link");
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) refuse_kind(path, Kind::directory);
}

Handle open_for_reading(const std::string& path, DWORD flags) {
  return Handle(::CreateFileW(wide(path).c_str(), GENERIC_READ, share_all, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN | flags, nullptr));
}

std::string read_open_regular(HANDLE file, const std::string& path) {
  refuse_non_regular_handle(file, path);
  LARGE_INTEGER size{};
  std::string content;
  if (::GetFileSizeEx(file, &size)) content.reserve(static_cast<std::size_t>(size.QuadPart));
  std::string buffer(piece_size, '\0');
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr)) {
      throw FileError(path, last_reason());
    }
    if (n == 0) return content;
    content.append(buffer.data(), n);
  }
}

HANDLE handle_of(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

Kind kind_of(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (is_missing(error)) return Kind::missing;
    throw FileError(path, windows_reason(error));
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Kind::directory;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return Kind::other;
  return Kind::regular;
}

// Renames with MOVEFILE_WRITE_THROUGH are on the disk when they return;
// the directory is flushed as well where the file system lets a directory
// be opened for it, and left to its own log where not.
void sync_directory(const std::string& directory) {
  const Handle handle(::CreateFileW(wide(directory).c_str(), GENERIC_WRITE, share_all, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle.valid()) ::FlushFileBuffers(handle.get());
}

std::string read_regular(const std::string& path) {
  const Handle file = open_for_reading(path, 0);
  if (!file.valid()) {
    const DWORD error = ::GetLastError();
    if (!is_missing(error)) refuse_non_regular(path);
    throw FileError(path, windows_reason(error));
  }
  return read_open_regular(file.get(), path);
}

std::optional<std::string> read_regular_unfollowed(const std::string& path) {
  const Handle file = open_for_reading(path, FILE_FLAG_OPEN_REPARSE_POINT);
  if (!file.valid()) {
    const DWORD error = ::GetLastError();
    if (is_missing(error)) return std::nullopt;
    throw FileError(path, windows_reason(error));
  }
  return read_open_regular(file.get(), path);
}

void rename_over(const std::string& from, const std::string& to, const std::string& target) {
  const std::wstring source = wide(from);
  const std::wstring destination = wide(to);
  if (!retried([&] {
        return ::MoveFileExW(source.c_str(), destination.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
      })) {
    throw FileError(target, last_reason());
  }
}

bool link_file(const std::string& existing, const std::string& link) {
  return ::CreateHardLinkW(wide(link).c_str(), wide(existing).c_str(), nullptr) != 0;
}

// Windows has no inode numbers in stat: the volume and the file index of an
// open handle identify a file.
bool same_file(const std::string& a, const std::string& b) {
  const Handle first = open_for_identity(a);
  const Handle second = open_for_identity(b);
  BY_HANDLE_FILE_INFORMATION one{}, other{};
  return first.valid() && second.valid() && ::GetFileInformationByHandle(first.get(), &one) &&
         ::GetFileInformationByHandle(second.get(), &other) &&
         one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
         one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

void remove_file(const std::string& path) {
  const std::wstring name = wide(path);
  if (!retried([&] { return ::DeleteFileW(name.c_str()) != 0; })) throw FileError(path, last_reason());
}

void remove_if_there(const std::string& path) {
  const std::wstring name = wide(path);
  if (!retried([&] { return ::DeleteFileW(name.c_str()) != 0; }) && !is_missing(::GetLastError())) {
    throw FileError(path, last_reason());
  }
}

void remove_quietly(const std::string& path) noexcept { ::DeleteFileW(wide(path).c_str()); }

// CREATE_NEW refuses any name already there; FILE_FLAG_OPEN_REPARSE_POINT
// opens a symbolic link itself, which is then refused, not its target.
void write_durably(const std::string& path, std::string_view bytes, Placement placement) {
  const bool created = placement == Placement::created;
  const Handle file(::CreateFileW(wide(path).c_str(), created ? GENERIC_WRITE : FILE_APPEND_DATA,
                                  FILE_SHARE_READ, nullptr, created ? CREATE_NEW : OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.valid()) throw FileError(path, last_reason());
  try {
    refuse_non_regular_handle(file.get(), path);
    write_all(file.get(), bytes, path);
    if (!::FlushFileBuffers(file.get())) throw FileError(path, last_reason());
  } catch (const FileError&) {
    if (created) remove_quietly(path);
    throw;
  }
}

TemporaryFile::TemporaryFile(Files& files, std::string target)
    : files_(files), target_(std::move(target)) {
  files_.check(Operation::create, target_);
  for (;;) {
    path_ = target_ + ".tmp-" + random_letters(6);
    const HANDLE file = ::CreateFileW(wide(path_).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      file_ = reinterpret_cast<std::intptr_t>(file);
      break;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) throw FileError(target_, last_reason());
  }
}

TemporaryFile::~TemporaryFile() {
  if (file_ != -1) ::CloseHandle(handle_of(file_));
  if (!kept_) ::DeleteFileW(wide(path_).c_str());
}

// An offset in the OVERLAPPED makes WriteFile write there; on a handle not
// opened for overlapped work it also moves the file pointer, which nothing
// here reads, so each piece carries its own offset.
void TemporaryFile::write_at(std::uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), piece_size));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    if (!::WriteFile(handle_of(file_), bytes.data(), piece, &written, &at)) {
      throw FileError(target_, last_reason());
    }
    bytes.remove_prefix(written);
    offset += written;
  }
}

void TemporaryFile::flush_to_disk() {
  if (!::FlushFileBuffers(handle_of(file_))) throw FileError(target_, last_reason());
}

void TemporaryFile::close_file() {
  const HANDLE file = handle_of(std::exchange(file_, -1));
  if (!::CloseHandle(file)) throw FileError(target_, last_reason());
}

}  // namespace scenari::platform
