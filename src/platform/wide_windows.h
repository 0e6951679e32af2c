// What every Windows file of the platform layer shares: UTF-8 to UTF-16 and
// back for the wide-character calls, the system's words for an error, and
// a handle closed when it goes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace scenari::platform {

std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The system's message for a Windows error code, in UTF-8.
std::string windows_reason(DWORD error);
inline std::string last_reason() { return windows_reason(::GetLastError()); }

class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : handle_(other.release()) {}
  Handle& operator=(Handle&&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

}  // namespace scenari::platform
