#include "platform/file_steps.h"

namespace scenari::platform {

void refuse_kind(const std::string& path, Kind kind) {
  if (kind == Kind::directory) throw FileError(path, "is a directory");
  if (kind == Kind::other) throw FileError(path, "not a regular file");
}

void refuse_non_regular(const std::string& path) { refuse_kind(path, kind_of(path)); }

// Small pieces are gathered into large writes; a piece of half a write or
// more goes straight through, rather than being copied once more on its way
// (an encoder hands its own buffer over, nearly a whole piece at a time).
void TemporaryFile::write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > piece_size) {
    write_through(buffer_);
    buffer_.clear();
  }
  if (buffer_.empty() && bytes.size() >= piece_size / 2) {
    write_through(bytes);
  } else {
    buffer_.append(bytes);
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
