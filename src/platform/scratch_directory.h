// A fresh private directory under the system's temporary directory, removed
// with everything in it when the object goes.
#pragma once

#include <string>
#include <string_view>

namespace scenari::platform {

class ScratchDirectory {
 public:
  // `prefix` begins the directory's name, so a leftover one says who made it.
  // Throws FileError when the directory cannot be made.
  explicit ScratchDirectory(std::string_view prefix);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace scenari::platform
