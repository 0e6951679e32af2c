// File operations of a run. Every operation passes through `fault`, the one
// seam where tests make an operation fail as the system would.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scenari::platform {

class FileError : public std::runtime_error {
 public:
  FileError(std::string path, std::string reason);
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

enum class Operation { create, write, rename, remove, open_read };

class Files {
 public:
  virtual ~Files() = default;

  bool exists(const std::string& path);
  // The whole content of a file.
  std::string read(const std::string& path);
  // Replaces a file whole through a temporary file in the same directory and
  // a rename, so the old content survives any failure.
  void replace(const std::string& path, std::string_view bytes);
  // Replaces several files: every temporary file is written before the
  // first rename, so a write failure leaves all the old files in place, and
  // a failed rename puts back the files renamed before it.
  void replace_all(const std::vector<std::pair<std::string, std::string>>& files);
  void remove(const std::string& path);
  // Removes the file when it is there; a missing file is not an error.
  void remove_if_exists(const std::string& path);

 protected:
  // An errno value to fail `operation` on `path` with, or 0 to let it run.
  virtual int fault(Operation, const std::string&) { return 0; }

 private:
  std::string write_temporary(const std::string& path, std::string_view bytes);
  void rename_over(const std::string& temporary, const std::string& path);
  std::vector<std::string> keep_older(const std::vector<std::pair<std::string, std::string>>& files,
                                      const std::vector<std::string>& temporaries);
  static void put_back(const std::vector<std::pair<std::string, std::string>>& files,
                       const std::vector<std::string>& backups, std::size_t failed);
};

// "directory/name", the program directory joined with a file name.
std::string join(const std::string& directory, const std::string& name);

}  // namespace scenari::platform
