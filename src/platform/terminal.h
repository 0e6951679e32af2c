// Whether a standard stream is a terminal, for output that may use colour.
#pragma once

namespace scenari::platform {

enum class Stream { output, error };

// True when `stream` is a terminal and the NO_COLOR variable is not set.
bool colour_wanted(Stream stream);

}  // namespace scenari::platform
