// A failed operation on a file, with the file and the system's reason: what
// a run reports before ending with status 1.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace scenari::platform {

class FileError : public std::runtime_error {
 public:
  FileError(std::string path, std::string reason)
      : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

}  // namespace scenari::platform
