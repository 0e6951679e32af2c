#include <windows.h>

#include "platform/wide_windows.h"
#include "support/processo.h"

namespace scenari::test {

namespace {

// One word of a command line as the C runtime splits it back: quoted when
// it holds a blank or a quote, with the backslashes before a quote doubled.
std::wstring quoted(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) return word;
  std::wstring text = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(backslashes * 2, L'\\');
  return text + L"\"";
}

HANDLE inheritable(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return ::CreateFileW(platform::wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &security, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int run_process(const std::string& program, const std::vector<std::string>& words,
                const std::string& output, const std::string& input) {
  std::wstring command = quoted(platform::wide(program));
  for (const std::string& w : words) command += L" " + quoted(platform::wide(w));
  const platform::Handle out(inheritable(output, GENERIC_WRITE, CREATE_ALWAYS));
  const platform::Handle in(inheritable(input.empty() ? "NUL" : input, GENERIC_READ, OPEN_EXISTING));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.get();
  startup.hStdOutput = out.get();
  startup.hStdError = out.get();
  PROCESS_INFORMATION process{};
  if (!out.valid() || !in.valid()) return -1;
  // A start can fail now and then when many processes are started in quick
  // succession (under wine, for one); that is not what any test is about,
  // so a failed start is tried again a few times.
  bool started = false;
  for (int attempt = 0; attempt < 5 && !started; ++attempt) {
    if (attempt > 0) ::Sleep(200);
    started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &process) != 0;
  }
  if (!started) return -1;
  const platform::Handle child(process.hProcess);
  ::CloseHandle(process.hThread);
  ::WaitForSingleObject(child.get(), INFINITE);
  DWORD status = 0;
  return ::GetExitCodeProcess(child.get(), &status) ? static_cast<int>(status) : -1;
}

}  // namespace scenari::test
