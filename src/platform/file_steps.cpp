#include "platform/file_steps.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/descriptor.h"

namespace scenari::platform {

namespace {

constexpr std::size_t piece_size = 1 << 16;

Kind kind_of_mode(mode_t mode) {
  if (S_ISREG(mode)) return Kind::regular;
  if (S_ISDIR(mode)) return Kind::directory;
  return Kind::other;
}

}  // namespace

void refuse_kind(const std::string& path, Kind kind) {
  if (kind == Kind::directory) throw FileError(path, "is a directory");
  if (kind == Kind::other) throw FileError(path, "not a regular file");
}

Kind kind_of(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return kind_of_mode(info.st_mode);
  if (errno == ENOENT || errno == ENOTDIR) return Kind::missing;
  throw FileError(path, describe(errno));
}

void refuse_non_regular(const std::string& path) { refuse_kind(path, kind_of(path)); }

std::string directory_of(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
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

TemporaryFile::TemporaryFile(Files& files, std::string target)
    : files_(files), target_(std::move(target)), path_(target_ + ".tmp-XXXXXX") {
  files_.check(Operation::create, target_);
  fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
  if (fd_ < 0) throw FileError(target_, describe(errno));
  ::fchmod(fd_, 0644);
  buffer_.reserve(piece_size);
}

TemporaryFile::~TemporaryFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!kept_) ::unlink(path_.c_str());
}

void TemporaryFile::write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > piece_size) {
    write_through(buffer_);
    buffer_.clear();
  }
  if (bytes.size() >= piece_size) {
    write_through(bytes);
  } else {
    buffer_.append(bytes);
  }
}

void TemporaryFile::write_through(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(target_, describe(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void TemporaryFile::finish(bool to_disk) {
  files_.check(Operation::write, target_);
  write_through(buffer_);
  buffer_.clear();
  if (to_disk) {
    files_.check(Operation::fsync, target_);
    if (::fsync(fd_) != 0) throw FileError(target_, describe(errno));
  }
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) throw FileError(target_, describe(errno));
}

}  // namespace scenari::platform
