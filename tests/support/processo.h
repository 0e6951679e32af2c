// Starting a built program and waiting for it, the same way on every system:
// no shell between, so no quoting, /bin/sh or /dev/null that Windows lacks.
#pragma once

#include <string>
#include <vector>

namespace scenari::test {

// The words of `arguments` as a shell splits them: blanks separate, and
// '...' or "..." quote (a backslash escapes " and \ inside "...").
std::vector<std::string> words_of(const std::string& arguments);

// Runs `program` (looked up in PATH when it has no directory) with `words`, its standard output and error both into the
// file `output`, its standard input from the file `input` (empty: none).
// Returns its exit status, or -1 when it could not start or a signal ended it.
int run_process(const std::string& program, const std::vector<std::string>& words,
                const std::string& output, const std::string& input);

}  // namespace scenari::test
