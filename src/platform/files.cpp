#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace scenari::platform {

namespace {

std::string describe(int error) { return std::strerror(error); }

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

}  // namespace

FileError::FileError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}

bool Files::exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string Files::read(const std::string& path) {
  if (int error = fault(Operation::open_read, path)) throw FileError(path, describe(error));
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw FileError(path, describe(errno));
  std::string content;
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path, describe(errno));
    }
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
  }
  return content;
}

std::string Files::write_temporary(const std::string& path, std::string_view bytes) {
  std::string temporary = path + ".tmp-XXXXXX";
  if (int error = fault(Operation::create, path)) throw FileError(path, describe(error));
  Descriptor fd(::mkstemp(temporary.data()));
  if (fd.get() < 0) throw FileError(path, describe(errno));
  auto fail = [&](int error) {
    ::unlink(temporary.c_str());
    throw FileError(path, describe(error));
  };
  ::fchmod(fd.get(), 0644);
  if (int error = fault(Operation::write, path)) fail(error);
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd.release()) != 0) fail(errno);
  return temporary;
}

void Files::rename_over(const std::string& temporary, const std::string& path) {
  int error = fault(Operation::rename, path);
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw FileError(path, describe(error));
  }
}

void Files::replace(const std::string& path, std::string_view bytes) {
  rename_over(write_temporary(path, bytes), path);
}

void Files::replace_all(const std::vector<std::pair<std::string, std::string>>& files) {
  std::vector<std::string> temporaries;
  try {
    for (const auto& [path, bytes] : files) temporaries.push_back(write_temporary(path, bytes));
  } catch (const FileError&) {
    for (const auto& temporary : temporaries) ::unlink(temporary.c_str());
    throw;
  }
  const std::vector<std::string> backups = keep_older(files, temporaries);
  for (std::size_t i = 0; i < files.size(); ++i) {
    try {
      rename_over(temporaries[i], files[i].first);
    } catch (const FileError&) {
      for (std::size_t j = i + 1; j < files.size(); ++j) ::unlink(temporaries[j].c_str());
      put_back(files, backups, i);
      throw;
    }
  }
  for (const auto& backup : backups) {
    if (!backup.empty()) ::unlink(backup.c_str());
  }
}

// A second name (a hard link) for every file that already exists, so that a
// failed rename can put back the files renamed before it and the set stays
// whole: all old or all new.
std::vector<std::string> Files::keep_older(
    const std::vector<std::pair<std::string, std::string>>& files,
    const std::vector<std::string>& temporaries) {
  std::vector<std::string> backups(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!exists(files[i].first)) continue;
    backups[i] = temporaries[i] + "-old";
    if (::link(files[i].first.c_str(), backups[i].c_str()) != 0) {
      const int error = errno;
      for (const auto& temporary : temporaries) ::unlink(temporary.c_str());
      for (std::size_t j = 0; j < i; ++j) {
        if (!backups[j].empty()) ::unlink(backups[j].c_str());
      }
      throw FileError(files[i].first, describe(error));
    }
  }
  return backups;
}

// Undoes the renames of files[0..failed) and drops every backup.
void Files::put_back(const std::vector<std::pair<std::string, std::string>>& files,
                     const std::vector<std::string>& backups, std::size_t failed) {
  for (std::size_t j = 0; j < files.size(); ++j) {
    if (j < failed && backups[j].empty()) {
      ::unlink(files[j].first.c_str());
    } else if (j < failed) {
      ::rename(backups[j].c_str(), files[j].first.c_str());
    } else if (!backups[j].empty()) {
      ::unlink(backups[j].c_str());
    }
  }
}

void Files::remove(const std::string& path) {
  int error = fault(Operation::remove, path);
  if (error == 0 && ::unlink(path.c_str()) != 0) error = errno;
  if (error != 0) throw FileError(path, describe(error));
}

void Files::remove_if_exists(const std::string& path) {
  if (exists(path)) remove(path);
}

std::string join(const std::string& directory, const std::string& name) {
  return directory + "/" + name;
}

}  // namespace scenari::platform
