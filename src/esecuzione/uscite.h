// The binary files of a build as a set of output files of a directory: each
// file's encoder writes straight into its temporary, so not even the plan
// file of a 1,000,000 m route is ever held whole in memory.
#pragma once

#include <string>
#include <vector>

#include "core/percorso/percorso.h"
#include "platform/files.h"

namespace scenari {

std::vector<platform::OutputFile> uscite_in(const std::string& cartella,
                                            const std::vector<FileBinario>& file);

}  // namespace scenari
