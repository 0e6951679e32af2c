// The helpers that fork a child process: POSIX systems only.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/directory_lock.h"
#include "support/ausili.h"

namespace scenari::test {

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
