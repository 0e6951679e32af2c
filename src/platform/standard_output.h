// The standard streams as checked files: what a command printed must have
// reached standard output, or the command fails.
#pragma once

#include "platform/file_error.h"

namespace scenari::platform {

// Puts a descriptor that refuses writes in place of any of the three
// standard streams that was closed, so no file the program opens later
// takes its number and receives what was meant for it. Then makes every
// failed write to std::cout throw std::ios_base::failure at once.
void guard_standard_streams();
// Flushes std::cout and the C stream under it, and stops the failures of
// std::cout from throwing; throws FileError naming "standard output" and
// the system's reason when a write to it failed (a full disk, a closed
// pipe or descriptor). Called once, last, on every way out of the program.
void finish_standard_output();
// The FileError for a write to standard output that just failed.
FileError standard_output_failure();

}  // namespace scenari::platform
