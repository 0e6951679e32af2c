#include "platform/file_steps.h"

#include <algorithm>

namespace scenari::platform {

void refuse_kind(const std::string& path, Kind kind) {
  if (kind == Kind::directory) throw FileError(path, "is a directory");
  if (kind == Kind::other) throw FileError(path, "not a regular file");
}

void refuse_non_regular(const std::string& path) { refuse_kind(path, kind_of(path)); }

// Written in whole pieces only, at offsets that are multiples of the piece
// size, whatever the sizes handed in: a write that ends inside a page of
// the file leaves the next one to continue a page half written, which costs
// the system far more than the copy into the buffer (an encoder hands over
// 65,530 bytes at a time). Runs of whole pieces go straight through.
void TemporaryFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (buffer_.empty() && bytes.size() >= piece_size) {
      const std::size_t whole = bytes.size() - bytes.size() % piece_size;
      write_through(bytes.substr(0, whole));
      bytes.remove_prefix(whole);
      continue;
    }
    const std::size_t taken = std::min(piece_size - buffer_.size(), bytes.size());
    buffer_.append(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
    if (buffer_.size() == piece_size) {
      write_through(buffer_);
      buffer_.clear();
    }
  }
}

void TemporaryFile::finish(bool to_disk) {
  files_.check(Operation::write, target_);
  write_through(buffer_);
  buffer_.clear();
  if (to_disk) {
    files_.check(Operation::fsync, target_);
    flush_to_disk();
  }
  close_file();
}

}  // namespace scenari::platform
