// The set of files the replacement tests write, shared with the program
// that replaces it in a child process ended at a chosen operation.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/ausili.h"

namespace scenari::test {

// Two outputs with an older version and one new; the largest is written in
// many pieces, the last first.
const std::map<std::string, std::string>& old_set();
const std::map<std::string, std::string>& new_set();
std::vector<platform::OutputFile> new_outputs(const std::filesystem::path& directory);

// Ends the process with status 9 at its n-th file operation of any kind,
// as a kill would (0: never); hard links can be made to fail.
FaultyFiles ended_at(int n, bool without_links);

}  // namespace scenari::test
