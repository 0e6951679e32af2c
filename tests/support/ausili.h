// What the test programs share: a scratch directory to run in, and whole-file
// reads and writes of bytes to set up and check what the code leaves there.
#pragma once

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/scratch_directory.h"

namespace scenari::test {

// A scratch directory seen as a std::filesystem::path, so cases can join
// names onto it with operator/.
class TestDirectory {
 public:
  explicit TestDirectory(std::string_view prefix) : directory_(prefix), path_(directory_.path()) {}

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return directory_.path(); }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  platform::ScratchDirectory directory_;
  std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
std::string read_file(const std::filesystem::path& path);
// Makes `bytes` the whole content of a file, creating it when missing.
void write_file(const std::filesystem::path& path, std::string_view bytes);
// The names of the entries of a directory, sorted.
std::vector<std::string> file_names(const std::filesystem::path& directory);
// Every entry of a directory by name, with its content.
std::map<std::string, std::string> file_contents(const std::filesystem::path& directory);

// File operations that fail, or end the process, where a test asks: every
// call of the fault seam is counted, and `rule` gives the errno to fail it
// with (0 lets it run).
class FaultyFiles : public platform::Files {
 public:
  struct Call {
    platform::Operation operation;
    const std::string& path;
    int nth;  // of this operation, from 1
    int all;  // of every operation, from 1
  };
  using Rule = std::function<int(const Call&)>;

  explicit FaultyFiles(Rule rule) : rule_(std::move(rule)) {}

  std::map<platform::Operation, int> counts;
  int all = 0;
  std::string failed_path;  // the path of the last operation failed

 protected:
  int fault(platform::Operation operation, const std::string& path) override;

 private:
  Rule rule_;
};

// `operation` on every path ending in `suffix` fails with `error`.
FaultyFiles::Rule fail_on(platform::Operation operation, std::string suffix, int error = EIO);
// The n-th `operation` fails with `error`.
FaultyFiles::Rule fail_nth(platform::Operation operation, int n, int error = EIO);

#ifndef _WIN32
// Another process holding the lock of a directory, from construction until
// destruction, as a second writer would.
class LockHeldElsewhere {
 public:
  explicit LockHeldElsewhere(const std::string& directory);
  ~LockHeldElsewhere();
  LockHeldElsewhere(const LockHeldElsewhere&) = delete;
  LockHeldElsewhere& operator=(const LockHeldElsewhere&) = delete;

 private:
  int release_ = -1;  // the write end of the pipe the holder waits on
  int holder_ = -1;   // its process id
};

// How a child process ended: its exit status, or the signal that ended it.
struct ProcessEnd {
  int status = -1;  // -1 when a signal ended it
  int signal = 0;
};
// Runs `body` in a forked child and waits for it; the child exits 0 after
// it, or 70 when it throws.
ProcessEnd run_in_child(const std::function<void()>& body);
// Runs a shell command line and waits for it.
ProcessEnd run_shell(const std::string& command);
#endif

// What a program printed (standard output and error together) and the
// status it ended with (-1 when it could not start or a signal ended it).
struct Run {
  int status;
  std::string output;
};
// Runs `program` with `arguments`, words as a shell would split them, and
// its standard input from the file `input` (none when empty). No shell runs
// it, so the same call works on Windows.
Run run_program(const std::string& program, const std::string& arguments, const std::string& input = "");

}  // namespace scenari::test
