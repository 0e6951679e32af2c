#include "platform/file_steps.h"

namespace scenari::platform {

void refuse_kind(const std::string& path, Kind kind) {
  if (kind == Kind::directory) throw FileError(path, "is a directory");
  if (kind == Kind::other) throw FileError(path, "not a regular file");
}

void refuse_non_regular(const std::string& path) { refuse_kind(path, kind_of(path)); }

// The writes of a file pass the fault seam once, here, before it can be kept.
void TemporaryFile::finish(bool to_disk) {
  files_.check(Operation::write, target_);
  if (to_disk) {
    files_.check(Operation::fsync, target_);
    flush_to_disk();
  }
  close_file();
}

}  // namespace scenari::platform
