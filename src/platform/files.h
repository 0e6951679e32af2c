// File operations of a run. Every operation passes through `fault`, the one
// seam where tests make an operation fail as the system would.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_error.h"

namespace scenari::platform {

// The system's words for an errno value.
std::string describe(int error);

enum class Operation { create, write, rename, remove, open_read, link, fsync };

// Receives the bytes of one output file in pieces, each at its offset in the
// file, so a large file is never held twice in memory and may be filled in
// any order. Each piece is written as it comes: the system writes pieces
// fastest when they are whole pages at page offsets.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write_at(std::uint64_t offset, std::string_view bytes) = 0;
};

struct OutputFile {
  std::string path;
  std::function<void(ByteSink&)> fill;
};

class Files {
 public:
  virtual ~Files() = default;

  // True for a regular file, false when nothing is there; anything else (a
  // directory, a FIFO, a symbolic link loop) throws FileError with the reason.
  bool exists(const std::string& path);
  // The whole content of a regular file.
  std::string read(const std::string& path);
  // Replaces a file whole through a temporary file in the same directory
  // and a rename, so the old content survives any failure or kill; SIGINT
  // and SIGTERM wait until the rename is done.
  void replace(const std::string& path, std::string_view bytes);
  // Replaces files of one directory as one set: all old or all new after any
  // failure, kill or power cut, once the next call (or `recover`) has run.
  // Temporaries are written and flushed, a journal names the set, older
  // files get backups (hard links, or renames where the file system has no
  // hard links), then the renames run. SIGINT and SIGTERM are held back
  // from the first temporary to the end, and acted on then.
  // The directory is locked meanwhile, and an earlier set left unfinished
  // there is completed or rolled back first.
  void replace_set(const std::vector<OutputFile>& set);
  // `replace_set` for contents already in memory.
  void replace_all(const std::vector<std::pair<std::string, std::string>>& files);
  // Completes or rolls back a set a killed run left in `directory`, then
  // removes its temporaries and backups.
  void recover(const std::string& directory);
  void remove(const std::string& path);
  // Removes the file when it is there; a missing file is not an error.
  void remove_if_exists(const std::string& path);

 protected:
  // An errno value to fail `operation` on `path` with, or 0 to let it run.
  virtual int fault(Operation, const std::string&) { return 0; }

 private:
  friend class OutputSet;
  friend class TemporaryFile;
  // Throws FileError for `path` when `fault` fails `operation`.
  void check(Operation operation, const std::string& path);
};

// "directory/name", a directory joined with a file name ("directory\name"
// on Windows).
std::string join(const std::string& directory, const std::string& name);

}  // namespace scenari::platform
