// Running another program in this one's place, for a command that lives in
// a program of its own: the other program gets this one's arguments,
// standard streams and console, and its exit status becomes this one's.
#pragma once

#include <string>

namespace scenari::platform {

// Runs `program` with the arguments of this program (`arguments`: argv-like,
// null-terminated; its first word, this program's name, gives way to
// `program`). What this program wrote to its standard streams goes out
// first. On POSIX this process becomes `program`, keeping its process
// id and signals, so the call returns only by throwing. On Windows `program`
// runs as a child on this program's own command line, which is handed over
// unchanged; Ctrl+C and Ctrl+Break are left to the child while this program
// waits, and the child's exit status is returned. Throws FileError naming
// `program` when it cannot be started.
int hand_over(const std::string& program, char* const* arguments);

}  // namespace scenari::platform
