// Whether a standard stream is a terminal, for output that may use colour.
#pragma once

namespace scenari::platform {

enum class Stream { output, error };

// True when `stream` is a terminal that shows colour: not when NO_COLOR is
// set to anything but the empty string, nor when TERM is "dumb".
bool colour_wanted(Stream stream);

}  // namespace scenari::platform
