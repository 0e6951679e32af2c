#include "bench/ambiente.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace scenari::bench {

namespace {

[[noreturn]] void fallito(const std::string& percorso) {
  throw std::runtime_error(percorso + ": " + std::strerror(errno));
}

}  // namespace

CartellaScratch::CartellaScratch() {
  std::string modello = (std::filesystem::temp_directory_path() / "scenari-bench-XXXXXX").string();
  if (::mkdtemp(modello.data()) == nullptr) fallito(modello);
  percorso_ = modello;
}

CartellaScratch::~CartellaScratch() {
  std::error_code ignorato;
  std::filesystem::remove_all(percorso_, ignorato);
}

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
