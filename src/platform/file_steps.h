// The steps the replacements of the file layer are made of, below the fault
// seam: what a path holds, flushing a directory, whole reads, renames, links
// and removals, and the temporary file an output is written to. Each system
// has its own version of them; the file layer above is the same everywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/paths.h"

namespace scenari::platform {

// The size of the pieces files are read and written in.
inline constexpr std::size_t piece_size = 1 << 16;

enum class Kind { missing, regular, directory, other };

// What `path` names, following symbolic links; throws FileError with the
// system's reason when it cannot be told (a symbolic link loop, a refused
// search permission).
Kind kind_of(const std::string& path);
// Throws FileError for `path` unless it is a regular file or missing.
void refuse_non_regular(const std::string& path);
void refuse_kind(const std::string& path, Kind kind);
// Makes the directory's entries (new names, renames, removals) durable.
void sync_directory(const std::string& directory);
// The whole content of a regular file, opened without blocking on a FIFO.
std::string read_regular(const std::string& path);
// The same, for a file anyone who can write into its directory may have
// planted: a symbolic link is refused rather than followed; nothing when
// the file is missing.
std::optional<std::string> read_regular_unfollowed(const std::string& path);

// Renames `from` to `to`, replacing a file already there; a failure throws
// FileError naming `target`, the file the caller is replacing.
void rename_over(const std::string& from, const std::string& to, const std::string& target);
// Gives the file at `existing` the second name `link`; false where the file
// system has no hard links or the link cannot be made.
bool link_file(const std::string& existing, const std::string& link);
// Whether the two paths name one file (two names of it, or the same name).
bool same_file(const std::string& a, const std::string& b);
// Removes the file; throws FileError when it cannot, a missing file too.
void remove_file(const std::string& path);
// Removes the file when it is there.
void remove_if_there(const std::string& path);
// Removes the file if it can, and says nothing when it cannot.
void remove_quietly(const std::string& path) noexcept;

enum class Placement { created, appended };
// Writes `bytes` into a file `path` created anew, refusing a name already
// there, or appends them to the file without following a symbolic link;
// then flushes the file to the disk. A file it created and could not fill
// is removed.
void write_durably(const std::string& path, std::string_view bytes, Placement placement);

// A temporary file beside `target`, named "target.tmp-XXXXXX": the bytes
// are written at their offsets as they come, then closed by `finish`, after
// flushing them to the disk when `to_disk`. It is removed when the object
// goes unless `keep` was called.
class TemporaryFile final : public ByteSink {
 public:
  TemporaryFile(Files& files, std::string target);
  ~TemporaryFile() override;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Each system's own.
  void write_at(std::uint64_t offset, std::string_view bytes) override;
  void finish(bool to_disk);
  void keep() { kept_ = true; }
  const std::string& path() const { return path_; }
  const std::string& target() const { return target_; }

 private:
  // Each system's own: flushing and closing.
  void flush_to_disk();
  void close_file();

  Files& files_;
  std::string target_;
  std::string path_;
  std::intptr_t file_ = -1;  // the system's descriptor or handle; -1 once closed
  bool kept_ = false;
};

}  // namespace scenari::platform
