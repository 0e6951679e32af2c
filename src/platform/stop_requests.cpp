// The requests are blocked in every thread and taken by one thread with
// sigwait, so no other thread's system call is interrupted by them and
// `on_request` runs as ordinary code, not in a signal handler.
#include <pthread.h>
#include <signal.h>

#include <cstdlib>

#include "platform/stop_requests.h"

namespace scenari::platform {

namespace {

sigset_t stop_signals() {
  sigset_t s;
  sigemptyset(&s);
  sigaddset(&s, SIGINT);
  sigaddset(&s, SIGTERM);
  return s;
}

}  // namespace

StopRequests::StopRequests(std::function<void()> on_request) : on_request_(std::move(on_request)) {
  const sigset_t s = stop_signals();
  pthread_sigmask(SIG_BLOCK, &s, nullptr);
  receiver_ = std::thread([this] { receive(); });
}

void StopRequests::receive() {
  const sigset_t s = stop_signals();
  int signal = 0;
  while (sigwait(&s, &signal) == 0 && !ending_) {
    // A second request while the first is being served ends the program
    // at once, as the first would have without this object.
    if (requested_.exchange(true)) std::_Exit(128 + signal);
    on_request_();
  }
}

// The receiver is woken with a request of its own; the signals stay
// blocked, so one that comes after this is left pending rather than ending
// the program half-way through its own ending.
StopRequests::~StopRequests() {
  ending_ = true;
  pthread_kill(receiver_.native_handle(), SIGTERM);
  receiver_.join();
}

}  // namespace scenari::platform
