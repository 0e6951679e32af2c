#include "platform/signals.h"

namespace scenari::platform {

void ignore_file_size_signal() { ::signal(SIGXFSZ, SIG_IGN); }

HeldSignals::HeldSignals() {
  sigset_t held;
  sigemptyset(&held);
  sigaddset(&held, SIGINT);
  sigaddset(&held, SIGTERM);
  sigaddset(&held, SIGHUP);
  sigprocmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace scenari::platform
