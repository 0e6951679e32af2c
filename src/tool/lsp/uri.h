// Documents are named by "file" URIs; the texts' partners are found by
// path. A Windows drive ("file:///C:/...") becomes "C:/...".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenari::lsp {

// The path of a "file" URI, percent escapes decoded; nothing for another
// scheme.
std::optional<std::string> percorso_da_uri(std::string_view uri);

// The "file" URI of an absolute path, every byte but the unreserved ones
// and '/' escaped.
std::string uri_da_percorso(std::string_view percorso);

}  // namespace scenari::lsp
