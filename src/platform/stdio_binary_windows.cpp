#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/files.h"
#include "platform/stdio_binary.h"
#include "platform/wide_windows.h"

namespace scenari::platform {

namespace {

bool is_console(DWORD which) {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(which), &mode) != 0;
}

}  // namespace

void prepare_standard_streams() {
  const struct {
    std::FILE* stream;
    const char* mode;
  } streams[] = {{stdin, "rb"}, {stdout, "wb"}, {stderr, "wb"}};
  for (const auto& s : streams) {
    const int fd = _fileno(s.stream);
    if (fd < 0 || _get_osfhandle(fd) < 0) (void)!std::freopen("NUL", s.mode, s.stream);
  }
  binary_standard_streams();
  _setmode(_fileno(stderr), _O_BINARY);
  // The program's text is UTF-8: so a console shows a name outside the
  // ANSI code page as it was typed.
  if (is_console(STD_OUTPUT_HANDLE) || is_console(STD_ERROR_HANDLE)) ::SetConsoleOutputCP(CP_UTF8);
}

void binary_standard_streams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

std::size_t read_standard_input(char* buffer, std::size_t size) {
  DWORD n = 0;
  if (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, static_cast<DWORD>(size), &n, nullptr)) {
    return n;
  }
  const DWORD error = ::GetLastError();
  if (error == ERROR_BROKEN_PIPE) return 0;
  throw FileError("standard input", windows_reason(error));
}

bool standard_input_waiting() {
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  switch (::GetFileType(input)) {
    case FILE_TYPE_PIPE: {
      DWORD available = 0;
      // A pipe whose writer has gone reads as ended, which is news too.
      return !::PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr) || available > 0;
    }
    case FILE_TYPE_CHAR:
      return ::WaitForSingleObject(input, 0) == WAIT_OBJECT_0;
    default:
      return true;
  }
}

void write_standard_output(std::string_view bytes) {
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!::WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      throw FileError("standard output", last_reason());
    }
    bytes.remove_prefix(written);
  }
}

}  // namespace scenari::platform
