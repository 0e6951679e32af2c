#include "support/ausili.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/processo.h"

namespace scenari::test {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> file_names(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> file_contents(const std::filesystem::path& directory) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    contents[entry.path().filename().string()] = read_file(entry.path());
  }
  return contents;
}

int FaultyFiles::fault(platform::Operation operation, const std::string& path) {
  const int error = rule_(Call{operation, path, ++counts[operation], ++all});
  if (error != 0) failed_path = path;
  return error;
}

FaultyFiles::Rule fail_on(platform::Operation operation, std::string suffix, int error) {
  return [=](const FaultyFiles::Call& c) {
    return c.operation == operation && c.path.ends_with(suffix) ? error : 0;
  };
}

FaultyFiles::Rule fail_nth(platform::Operation operation, int n, int error) {
  return [=](const FaultyFiles::Call& c) {
    return c.operation == operation && c.nth == n ? error : 0;
  };
}

Run run_program(const std::string& program, const std::string& arguments, const std::string& input) {
  const TestDirectory scratch("run");
  const std::string output = (scratch / "output").string();
  const int status = run_process(program, words_of(arguments), output, input);
  return {status, read_file(output)};
}

std::vector<std::string> words_of(const std::string& arguments) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const char c = arguments[i];
    if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(std::exchange(word, {}));
      in_word = false;
      continue;
    }
    in_word = true;
    if (c == '\'') {
      const std::size_t end = arguments.find('\'', i + 1);
      word += arguments.substr(i + 1, end - i - 1);
      i = end == std::string::npos ? arguments.size() : end;
    } else if (c == '"') {
      for (++i; i < arguments.size() && arguments[i] != '"'; ++i) {
        if (arguments[i] == '\\' && i + 1 < arguments.size() &&
            (arguments[i + 1] == '"' || arguments[i + 1] == '\\')) {
          ++i;
        }
        word += arguments[i];
      }
    } else {
      word += c;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

}  // namespace scenari::test
