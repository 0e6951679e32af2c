#include "platform/signals.h"

#include <signal.h>

namespace scenari::platform {

namespace {

int depth = 0;
sigset_t previous;

}  // namespace

void ignore_file_size_signal() { ::signal(SIGXFSZ, SIG_IGN); }

HeldSignals::HeldSignals() {
  if (depth++ > 0) return;
  sigset_t held;
  sigemptyset(&held);
  sigaddset(&held, SIGINT);
  sigaddset(&held, SIGTERM);
  sigaddset(&held, SIGHUP);
  sigprocmask(SIG_BLOCK, &held, &previous);
}

HeldSignals::~HeldSignals() {
  if (--depth == 0) sigprocmask(SIG_SETMASK, &previous, nullptr);
}

}  // namespace scenari::platform
