#include "bench/ambiente.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace scenari::bench {

namespace {

[[noreturn]] void fallito(const std::string& percorso) {
  throw std::runtime_error(percorso + ": " + std::strerror(errno));
}

}  // namespace

std::string leggi_blocco(const std::string& percorso) {
  const int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fallito(percorso);
  struct stat info {};
  ::fstat(fd, &info);
  std::string byte(static_cast<std::size_t>(info.st_size), '\0');
  const ssize_t letti = ::read(fd, byte.data(), byte.size());
  ::close(fd);
  if (letti != static_cast<ssize_t>(byte.size())) fallito(percorso);
  return byte;
}

void scrivi_blocco(const std::string& percorso, std::string_view byte) {
  const int fd = ::open(percorso.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) fallito(percorso);
  const ssize_t scritti = ::write(fd, byte.data(), byte.size());
  ::close(fd);
  if (scritti != static_cast<ssize_t>(byte.size())) fallito(percorso);
}

void FinestraMuta::report_error(const std::string& message) {
  throw std::runtime_error("the run reported: " + message);
}

}  // namespace scenari::bench
