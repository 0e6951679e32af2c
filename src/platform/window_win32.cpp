// The real window on Windows: a plain Win32 window with a centred label,
// and a message box for the fatal report. The program has no console of
// its own; without a window it reports on the console it was started from.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <memory>

#include "platform/wide_windows.h"
#include "platform/window.h"

namespace scenari::platform {

namespace {

constexpr int larghezza = 320;
constexpr int altezza = 120;
constexpr const wchar_t* classe = L"scenari";

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  return ::DefWindowProcW(window, message, w, l);
}

// What is waiting is handled, so the window paints; nothing is waited for.
void handle_pending_messages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

class Win32Window : public Window {
 public:
  explicit Win32Window(HWND window) : window_(window) {}
  ~Win32Window() override { close(); }

  void show(const std::string& title, const std::string& label) override {
    ::SetWindowTextW(window_, wide(title).c_str());
    RECT area{};
    ::GetClientRect(window_, &area);
    const HWND text = ::CreateWindowExW(0, L"STATIC", wide(label).c_str(),
                                        WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0,
                                        area.right, area.bottom, window_, nullptr, nullptr, nullptr);
    font_ = ::CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    if (text != nullptr && font_ != nullptr) ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::UpdateWindow(window_);
    handle_pending_messages();
  }

  // The message also goes to standard error, so that a log keeps it.
  void report_error(const std::string& message) override {
    std::cerr << message << std::endl;
    ::MessageBoxW(window_, wide(message).c_str(), nullptr, MB_OK);
  }

  void close() override {
    if (window_ != nullptr) ::DestroyWindow(window_);
    window_ = nullptr;
    if (font_ != nullptr) ::DeleteObject(font_);
    font_ = nullptr;
    handle_pending_messages();
  }

 private:
  HWND window_;
  HFONT font_ = nullptr;
};

HWND create_window() {
  WNDCLASSEXW description{};
  description.cbSize = sizeof description;
  description.lpfnWndProc = window_procedure;
  description.hInstance = ::GetModuleHandleW(nullptr);
  description.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  description.lpszClassName = classe;
  if (!::RegisterClassExW(&description)) return nullptr;
  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT size{0, 0, larghezza, altezza};
  ::AdjustWindowRect(&size, style, FALSE);
  const int width = size.right - size.left;
  const int height = size.bottom - size.top;
  return ::CreateWindowExW(0, classe, L"", style, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                           nullptr, description.hInstance, nullptr);
}

// A program without a console of its own writes nowhere until it takes
// the console it was started from, when there is one.
void attach_to_parent_console() {
  if (::GetStdHandle(STD_ERROR_HANDLE) != nullptr || !::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  (void)!std::freopen("CONOUT$", "w", stdout);
  (void)!std::freopen("CONOUT$", "w", stderr);
  ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace

std::unique_ptr<Window> open_window() {
  if (const HWND window = create_window()) return std::make_unique<Win32Window>(window);
  attach_to_parent_console();
  return console_window();
}

}  // namespace scenari::platform
