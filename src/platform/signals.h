// Interrupt and termination requests held back while a set of files is
// being renamed, so that the set is whole when the program ends.
#pragma once

namespace scenari::platform {

// A write past the file-size limit (ulimit -f) fails with EFBIG instead of
// ending the program, so it is reported and cleaned up like any other
// failed write.
void ignore_file_size_signal();

// SIGINT, SIGTERM and SIGHUP (on Windows: Ctrl-C, Ctrl-Break and closing
// the console) are held while the object lives; one that arrived meanwhile
// is acted on (by default, ending the program) as soon as the outermost
// holder goes.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;
};

}  // namespace scenari::platform
