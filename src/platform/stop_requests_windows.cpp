// The console's control events arrive on a thread of the system's; the
// handler only sets an event, which the receiver waits for.
#include <windows.h>

#include <cstdlib>

#include "platform/stop_requests.h"

namespace scenari::platform {

namespace {

HANDLE stop_event = nullptr;
std::atomic<int> requests{0};

BOOL WINAPI on_console_event(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      if (++requests > 1) std::_Exit(130);
      SetEvent(stop_event);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

StopRequests::StopRequests(std::function<void()> on_request) : on_request_(std::move(on_request)) {
  stop_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  requests = 0;
  SetConsoleCtrlHandler(on_console_event, TRUE);
  receiver_ = std::thread([this] { receive(); });
}

void StopRequests::receive() {
  WaitForSingleObject(stop_event, INFINITE);
  if (ending_) return;
  requested_ = true;
  on_request_();
}

StopRequests::~StopRequests() {
  SetConsoleCtrlHandler(on_console_event, FALSE);
  ending_ = true;
  SetEvent(stop_event);
  receiver_.join();
  CloseHandle(stop_event);
  stop_event = nullptr;
}

}  // namespace scenari::platform
