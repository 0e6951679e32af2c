#include "platform/files.h"

#include <cstring>

#include "platform/directory_lock.h"
#include "platform/file_steps.h"
#include "platform/signals.h"

namespace scenari::platform {

std::string describe(int error) { return std::strerror(error); }

void Files::check(Operation operation, const std::string& path) {
  if (const int error = fault(operation, path)) throw FileError(path, describe(error));
}

bool Files::exists(const std::string& path) {
  const Kind kind = kind_of(path);
  refuse_kind(path, kind);
  return kind == Kind::regular;
}

std::string Files::read(const std::string& path) {
  check(Operation::open_read, path);
  return read_regular(path);
}

void Files::replace(const std::string& path, std::string_view bytes) {
  const std::string directory = directory_of(path);
  const DirectoryLock lock(directory, true);
  refuse_non_regular(path);
  const HeldSignals held;
  TemporaryFile temporary(*this, path);
  temporary.write_at(0, bytes);
  // One file alone is not flushed to the disk: the rename keeps it whole
  // against a failure or a kill, and the texts and documents it serves
  // are written again by the next run.
  temporary.finish(false);
  check(Operation::rename, path);
  rename_over(temporary.path(), path, path);
  temporary.keep();
}

void Files::replace_all(const std::vector<std::pair<std::string, std::string>>& files) {
  std::vector<OutputFile> set;
  for (const auto& [path, bytes] : files) {
    set.push_back({path, [&bytes = bytes](ByteSink& sink) { sink.write_at(0, bytes); }});
  }
  replace_set(set);
}

void Files::remove(const std::string& path) {
  check(Operation::remove, path);
  remove_file(path);
}

void Files::remove_if_exists(const std::string& path) {
  if (exists(path)) remove(path);
}

}  // namespace scenari::platform
