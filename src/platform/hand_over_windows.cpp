// The child gets the very command line this program got, only its first
// word changed, so no argument is split or quoted anew.
#include <cstdio>
#include <string_view>

#include "platform/file_error.h"
#include "platform/hand_over.h"
#include "platform/wide_windows.h"

namespace scenari::platform {

namespace {

// The command line past its first word, as the system splits that word:
// up to the closing quote when it opens with one, else up to a blank.
std::wstring_view past_program_name(std::wstring_view line) {
  std::size_t end = 0;
  if (!line.empty() && line.front() == L'"') {
    end = line.find(L'"', 1);
    end = end == std::wstring_view::npos ? line.size() : end + 1;
  } else {
    end = line.find_first_of(L" \t");
    if (end == std::wstring_view::npos) end = line.size();
  }
  return line.substr(end);
}

// While the child runs, a Ctrl+C reaches both programs: this one lets the
// child decide and waits for its status.
BOOL WINAPI leave_to_child(DWORD event) {
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? TRUE : FALSE;
}

HANDLE inheritable(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
    ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  }
  return handle;
}

}  // namespace

int hand_over(const std::string& program, char* const*) {
  const std::wstring path = wide(program);
  std::wstring line = L"\"" + path + L"\"";
  line += past_program_name(::GetCommandLineW());
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = inheritable(STD_INPUT_HANDLE);
  start.hStdOutput = inheritable(STD_OUTPUT_HANDLE);
  start.hStdError = inheritable(STD_ERROR_HANDLE);
  std::fflush(nullptr);  // what this program wrote comes before the child's output
  PROCESS_INFORMATION child{};
  if (!::CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &start, &child)) {
    throw FileError(program, last_reason());
  }
  const Handle process(child.hProcess);
  const Handle thread(child.hThread);
  ::SetConsoleCtrlHandler(leave_to_child, TRUE);
  ::WaitForSingleObject(process.get(), INFINITE);
  DWORD status = 1;
  ::GetExitCodeProcess(process.get(), &status);
  ::SetConsoleCtrlHandler(leave_to_child, FALSE);
  return static_cast<int>(status);
}

}  // namespace scenari::platform
