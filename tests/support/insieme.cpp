#include "support/insieme.h"

#include <cstdlib>
#include <string_view>

namespace scenari::test {

const std::map<std::string, std::string>& old_set() {
  static const std::map<std::string, std::string> set{{"a.dat", "old a"}, {"b.sim", "old b"}};
  return set;
}

const std::map<std::string, std::string>& new_set() {
  static const std::map<std::string, std::string> set{
      {"a.dat", std::string(200000, 'a')}, {"b.sim", "new b"}, {"c.dat", "new c"}};
  return set;
}

std::vector<platform::OutputFile> new_outputs(const std::filesystem::path& directory) {
  std::vector<platform::OutputFile> set;
  for (const auto& [name, bytes] : new_set()) {
    set.push_back({(directory / name).string(), [&bytes = bytes](platform::ByteSink& sink) {
                     const std::string_view all(bytes);
                     for (std::size_t piece = (all.size() + 999) / 1000; piece-- > 0;) {
                       sink.write_at(piece * 1000, all.substr(piece * 1000, 1000));
                     }
                   }});
  }
  return set;
}

FaultyFiles ended_at(int n, bool without_links) {
  return FaultyFiles([=](const FaultyFiles::Call& c) {
    if (c.all == n) std::_Exit(9);
    return c.operation == platform::Operation::link && without_links ? EPERM : 0;
  });
}

}  // namespace scenari::test
