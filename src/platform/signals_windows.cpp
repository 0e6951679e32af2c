#include <windows.h>

#include <atomic>

#include "platform/signals.h"

namespace scenari::platform {

namespace {

int depth = 0;
std::atomic<bool> holding = false;
// Signalled while nothing is held; a console event that comes while the set
// is being renamed waits for it.
HANDLE released = nullptr;

// Runs on a thread of its own. Returning FALSE passes the event on to the
// system's handler, which ends the program; a close of the console ends it
// anyway once this returns, so the wait is what holds it back.
BOOL WINAPI on_console_event(DWORD) {
  if (holding) ::WaitForSingleObject(released, INFINITE);
  return FALSE;
}

}  // namespace

// Windows has no file-size limit signal: a write past a quota fails.
void ignore_file_size_signal() {}

HeldSignals::HeldSignals() {
  if (depth++ > 0) return;
  if (released == nullptr) {
    released = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
    ::SetConsoleCtrlHandler(on_console_event, TRUE);
  }
  ::ResetEvent(released);
  holding = true;
}

HeldSignals::~HeldSignals() {
  if (--depth > 0) return;
  holding = false;
  ::SetEvent(released);
}

}  // namespace scenari::platform
