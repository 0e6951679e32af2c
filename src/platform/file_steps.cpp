#include "platform/file_steps.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/descriptor.h"

namespace scenari::platform {

namespace {

Kind kind_of_mode(mode_t mode) {
  if (S_ISREG(mode)) return Kind::regular;
  if (S_ISDIR(mode)) return Kind::directory;
  return Kind::other;
}

}  // namespace

Kind kind_of(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return kind_of_mode(info.st_mode);
  if (errno == ENOENT || errno == ENOTDIR) return Kind::missing;
  throw FileError(path, describe(errno));
}

void sync_directory(const std::string& directory) {
  Descriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0 || ::fsync(fd.get()) != 0) throw FileError(directory, describe(errno));
}

namespace {

// The whole content of the file open on `fd`, refused unless it is a
// regular file.
std::string read_open_regular(const Descriptor& fd, const std::string& path) {
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) throw FileError(path, describe(errno));
  refuse_kind(path, kind_of_mode(info.st_mode));
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[piece_size];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path, describe(errno));
    }
    if (n == 0) return content;
    content.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

std::string read_regular(const std::string& path) {
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) throw FileError(path, describe(errno));
  return read_open_regular(fd, path);
}

std::optional<std::string> read_regular_unfollowed(const std::string& path) {
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
  if (fd.get() < 0 && errno == ENOENT) return std::nullopt;
  if (fd.get() < 0 && errno == ELOOP) throw FileError(path, "is a symbolic link");
  if (fd.get() < 0) throw FileError(path, describe(errno));
  return read_open_regular(fd, path);
}

void rename_over(const std::string& from, const std::string& to, const std::string& target) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw FileError(target, describe(errno));
}

bool link_file(const std::string& existing, const std::string& link) {
  return ::link(existing.c_str(), link.c_str()) == 0;
}

bool same_file(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void remove_file(const std::string& path) {
  if (::unlink(path.c_str()) != 0) throw FileError(path, describe(errno));
}

void remove_if_there(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) throw FileError(path, describe(errno));
}

void remove_quietly(const std::string& path) noexcept { ::unlink(path.c_str()); }

namespace {

void write_all(const Descriptor& fd, const std::string& path, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd.get(), bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FileError(path, describe(errno));
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (::fsync(fd.get()) != 0) throw FileError(path, describe(errno));
}

}  // namespace

void write_durably(const std::string& path, std::string_view bytes, Placement placement) {
  const bool created = placement == Placement::created;
  const Descriptor fd(::open(path.c_str(),
                             O_WRONLY | (created ? O_CREAT | O_EXCL : O_APPEND) | O_NOFOLLOW |
                                 O_NONBLOCK | O_CLOEXEC,
                             0644));
  if (fd.get() < 0) throw FileError(path, describe(errno));
  try {
    write_all(fd, path, bytes);
  } catch (const FileError&) {
    if (created) remove_quietly(path);
    throw;
  }
}

TemporaryFile::TemporaryFile(Files& files, std::string target)
    : files_(files), target_(std::move(target)), path_(target_ + ".tmp-XXXXXX") {
  files_.check(Operation::create, target_);
  file_ = ::mkostemp(path_.data(), O_CLOEXEC);
  if (file_ < 0) throw FileError(target_, describe(errno));
  ::fchmod(static_cast<int>(file_), 0644);
}

TemporaryFile::~TemporaryFile() {
  if (file_ >= 0) ::close(static_cast<int>(file_));
  if (!kept_) ::unlink(path_.c_str());
}

void TemporaryFile::write_at(std::uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n =
        ::pwrite(static_cast<int>(file_), bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(target_, describe(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
}

void TemporaryFile::flush_to_disk() {
  if (::fsync(static_cast<int>(file_)) != 0) throw FileError(target_, describe(errno));
}

void TemporaryFile::close_file() {
  const int fd = static_cast<int>(std::exchange(file_, -1));
  if (::close(fd) != 0) throw FileError(target_, describe(errno));
}

}  // namespace scenari::platform
