#include "support/ausili.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/directory_lock.h"

namespace scenari::test {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> file_names(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> file_contents(const std::filesystem::path& directory) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    contents[entry.path().filename().string()] = read_file(entry.path());
  }
  return contents;
}

int FaultyFiles::fault(platform::Operation operation, const std::string& path) {
  const int error = rule_(Call{operation, path, ++counts[operation], ++all});
  if (error != 0) failed_path = path;
  return error;
}

FaultyFiles::Rule fail_on(platform::Operation operation, std::string suffix, int error) {
  return [=](const FaultyFiles::Call& c) {
    return c.operation == operation && c.path.ends_with(suffix) ? error : 0;
  };
}

FaultyFiles::Rule fail_nth(platform::Operation operation, int n, int error) {
  return [=](const FaultyFiles::Call& c) {
    return c.operation == operation && c.nth == n ? error : 0;
  };
}

LockHeldElsewhere::LockHeldElsewhere(const std::string& directory) {
  int held[2], release[2];
  if (::pipe(held) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe failed");
  holder_ = ::fork();
  if (holder_ == 0) {
    const platform::DirectoryLock lock(directory, true);
    char c = 0;
    (void)!::write(held[1], "x", 1);
    (void)!::read(release[0], &c, 1);
    ::_exit(0);
  }
  char c = 0;
  (void)!::read(held[0], &c, 1);
  for (int fd : {held[0], held[1], release[0]}) ::close(fd);
  release_ = release[1];
}

LockHeldElsewhere::~LockHeldElsewhere() {
  (void)!::write(release_, "x", 1);
  ::close(release_);
  int status = 0;
  ::waitpid(holder_, &status, 0);
}

Run run_program(const std::string& program, const std::string& arguments) {
  const TestDirectory scratch("run");
  const std::filesystem::path output = scratch / "output";
  const std::string command =
      "'" + program + "' " + arguments + " >'" + output.string() + "' 2>&1 </dev/null";
  return {run_shell(command).status, read_file(output)};
}

namespace {

ProcessEnd end_of(int status) {
  if (WIFEXITED(status)) return {WEXITSTATUS(status), 0};
  if (WIFSIGNALED(status)) return {-1, WTERMSIG(status)};
  return {};
}

}  // namespace

ProcessEnd run_in_child(const std::function<void()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      body();
    } catch (...) {
      ::_exit(70);
    }
    ::_exit(0);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return {};
  return end_of(status);
}

ProcessEnd run_shell(const std::string& command) { return end_of(std::system(command.c_str())); }

}  // namespace scenari::test
