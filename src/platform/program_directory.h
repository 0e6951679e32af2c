#pragma once

#include <string>

namespace scenari::platform {

// The directory that holds the running program, where every file of a run
// lives. Throws FileError when the system cannot tell.
std::string program_directory();

}  // namespace scenari::platform
