#include "platform/journal.h"

#include <algorithm>
#include <charconv>

namespace scenari::platform {

namespace {

constexpr std::string_view header = "scenari set\n";
constexpr std::string_view footer = "end\n";
constexpr std::string_view temporary_mark = ".tmp-";
constexpr std::string_view backup_suffix = "-old";
constexpr std::size_t random_length = 6;

bool take(std::string_view& text, std::string_view expected) {
  if (!text.starts_with(expected)) return false;
  text.remove_prefix(expected.size());
  return true;
}

// "<o|n> <length> <name>\n"; false when the text does not hold one whole entry.
bool take_entry(std::string_view& text, JournalEntry& entry) {
  if (text.size() < 2 || (text[0] != 'o' && text[0] != 'n') || text[1] != ' ') return false;
  entry.had_older = text[0] == 'o';
  text.remove_prefix(2);
  std::size_t length = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
  if (error != std::errc{} || end == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  if (!take(text, " ") || text.size() < length + 1 || text[length] != '\n') return false;
  entry.temporary = std::string(text.substr(0, length));
  text.remove_prefix(length + 1);
  return is_leftover_name(entry.temporary) && !entry.temporary.ends_with(backup_suffix);
}

bool is_temporary_name(std::string_view name) {
  const std::size_t tail = temporary_mark.size() + random_length;
  if (name.size() <= tail) return false;
  const std::string_view random = name.substr(name.size() - random_length);
  return name.substr(name.size() - tail, temporary_mark.size()) == temporary_mark &&
         std::all_of(random.begin(), random.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
         });
}

}  // namespace

std::string journal_text(const std::vector<JournalEntry>& entries) {
  std::string text(header);
  for (const JournalEntry& e : entries) {
    text += e.had_older ? "o " : "n ";
    text += std::to_string(e.temporary.size()) + " " + e.temporary + "\n";
  }
  text += footer;
  return text;
}

std::optional<Journal> parse_journal(std::string_view text) {
  if (!take(text, header)) return std::nullopt;
  Journal journal;
  while (!take(text, footer)) {
    JournalEntry entry;
    if (!take_entry(text, entry)) return std::nullopt;
    journal.entries.push_back(std::move(entry));
  }
  journal.rolling_back = text == rollback_mark;
  return journal;
}

bool is_leftover_name(std::string_view name) {
  if (name.ends_with(backup_suffix)) name.remove_suffix(backup_suffix.size());
  return is_temporary_name(name);
}

std::string target_of(std::string_view temporary) {
  return std::string(temporary.substr(0, temporary.size() - temporary_mark.size() - random_length));
}

std::string backup_of(std::string_view temporary) {
  return std::string(temporary) + std::string(backup_suffix);
}

}  // namespace scenari::platform
