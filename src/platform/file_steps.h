// The steps the replacements of the file layer are made of, below the fault
// seam: what a path holds, flushing a directory, whole reads, and the
// temporary file an output is written to.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace scenari::platform {

enum class Kind { missing, regular, directory, other };

// What `path` names, following symbolic links; throws FileError with the
// system's reason when it cannot be told (a symbolic link loop, a refused
// search permission).
Kind kind_of(const std::string& path);
// Throws FileError for `path` unless it is a regular file or missing.
void refuse_non_regular(const std::string& path);
void refuse_kind(const std::string& path, Kind kind);
// The directory part of `path`: "." for a bare name.
std::string directory_of(const std::string& path);
// Makes the directory's entries (new names, renames, removals) durable.
void sync_directory(const std::string& directory);
// The whole content of a regular file, opened without blocking on a FIFO.
std::string read_regular(const std::string& path);
// The same, for a file anyone who can write into its directory may have
// planted: a symbolic link is refused rather than followed; nothing when
// the file is missing.
std::optional<std::string> read_regular_unfollowed(const std::string& path);

// A temporary file beside `target`, named "target.tmp-XXXXXX": the bytes
// are written in large pieces, then closed by `finish`, after flushing them
// to the disk when `to_disk`. It is removed when the object goes unless
// `keep` was called.
class TemporaryFile final : public ByteSink {
 public:
  TemporaryFile(Files& files, std::string target);
  ~TemporaryFile() override;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void write(std::string_view bytes) override;
  void finish(bool to_disk);
  void keep() { kept_ = true; }
  const std::string& path() const { return path_; }
  const std::string& target() const { return target_; }

 private:
  void write_through(std::string_view bytes);

  Files& files_;
  std::string target_;
  std::string path_;
  int fd_ = -1;
  std::string buffer_;
  bool kept_ = false;
};

}  // namespace scenari::platform
