// Standard input and output as raw bytes, for a protocol that frames its
// messages by byte counts: no translation of line ends, no buffering that
// could hold back an answer.
#pragma once

#include <cstddef>
#include <string_view>

namespace scenari::platform {

// Puts a descriptor that refuses writes in place of any of the three
// standard streams that was closed, and all three in binary mode where the
// system distinguishes it; a console shows UTF-8 then.
void prepare_standard_streams();

// Puts both streams in binary mode where the system distinguishes it.
void binary_standard_streams();

// Reads what is available, blocking until at least one byte is; 0 at the
// end of the input. Throws FileError when the read fails.
std::size_t read_standard_input(char* buffer, std::size_t size);

// Whether input is waiting to be read right now (or the input has ended).
bool standard_input_waiting();

// Writes all of `bytes` and flushes them. Throws FileError when it fails.
void write_standard_output(std::string_view bytes);

}  // namespace scenari::platform
