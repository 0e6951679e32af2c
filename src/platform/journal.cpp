#include "platform/journal.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace scenari::platform {

namespace {

constexpr std::string_view header = "scenari set\n";
constexpr std::string_view footer = "end\n";
constexpr std::string_view temporary_mark = ".tmp-";
constexpr std::string_view backup_suffix = "-old";
constexpr std::size_t random_length = 6;
static_assert(leftover_extra_length == temporary_mark.size() + random_length + backup_suffix.size());
// Longer than any file name a file system takes.
constexpr std::size_t longest_name = 4096;

// Why a text is no journal; thrown inside the parse only.
struct Refusal {
  std::string reason;
};

enum class Match { taken, cut_short, other };

// Takes `expected` from the front of `text`, or tells whether the text
// ends inside it or differs from it.
Match take(std::string_view& text, std::string_view expected) {
  if (text.starts_with(expected)) {
    text.remove_prefix(expected.size());
    return Match::taken;
  }
  return expected.starts_with(text) ? Match::cut_short : Match::other;
}

// False when the text ends inside `expected`; a refusal when it differs.
bool take_or_refuse(std::string_view& text, std::string_view expected, const char* refusal) {
  const Match match = take(text, expected);
  if (match == Match::other) throw Refusal{refusal};
  return match == Match::taken;
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

bool is_control(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

// A name as a message may show it: control characters as \xNN, so a
// planted name cannot drive the terminal it is printed on.
std::string shown(std::string_view name) {
  constexpr const char* digits = "0123456789ABCDEF";
  std::string text = "'";
  for (char c : name) {
    if (is_control(c)) {
      const auto byte = static_cast<unsigned char>(c);
      text += std::string("\\x") + digits[byte >> 4] + digits[byte & 0xF];
    } else {
      text += c;
    }
  }
  return text + "'";
}

// A temporary the journal may name: one of an output of this directory,
// whose target is a plain name there and no name the replacement itself
// uses.
void refuse_unsound(std::string_view temporary) {
  if (!is_temporary_name(temporary)) {
    throw Refusal{"the name " + shown(temporary) + " is not a temporary's"};
  }
  const std::string target = target_of(temporary);
  if (target == "." || target == ".." ||
      std::any_of(target.begin(), target.end(), [](char c) { return c == '/' || c == '\\'; })) {
    throw Refusal{"the name " + shown(temporary) + " leaves the directory"};
  }
  if (std::any_of(target.begin(), target.end(), is_control)) {
    throw Refusal{"the name " + shown(temporary) + " holds a control character"};
  }
  if (target == journal_name || is_leftover_name(target)) {
    throw Refusal{"the name " + shown(temporary) + " is not the temporary of an output"};
  }
}

// "<o|n> <length> <name>\n"; nothing when the text ends inside it.
std::optional<JournalEntry> take_entry(std::string_view& text) {
  JournalEntry entry;
  entry.had_older = text.front() == 'o';
  if (text.front() != 'o' && text.front() != 'n') throw Refusal{"an entry begins with neither 'o' nor 'n'"};
  text.remove_prefix(1);
  if (!take_or_refuse(text, " ", "an entry has no blank after its mark")) return std::nullopt;
  std::size_t length = 0;
  const char* const end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, length);
  if (last == end) return std::nullopt;
  if (error != std::errc{} || last == text.data() || length > longest_name) {
    throw Refusal{"an entry has no length for its name"};
  }
  text.remove_prefix(static_cast<std::size_t>(last - text.data()));
  if (!take_or_refuse(text, " ", "an entry has no blank after its length")) return std::nullopt;
  if (text.size() <= length) return std::nullopt;
  if (text[length] != '\n') throw Refusal{"an entry's name is not as long as it says"};
  entry.temporary = std::string(text.substr(0, length));
  text.remove_prefix(length + 1);
  refuse_unsound(entry.temporary);
  return entry;
}

std::optional<Journal> read_journal(std::string_view text) {
  if (!take_or_refuse(text, header, "it does not begin as a journal does")) return std::nullopt;
  Journal journal;
  std::set<std::string> targets;
  for (;;) {
    const Match end = take(text, footer);
    if (end == Match::taken) break;
    if (end == Match::cut_short) return std::nullopt;
    const auto entry = take_entry(text);
    if (!entry) return std::nullopt;
    if (!targets.insert(target_of(entry->temporary)).second) {
      throw Refusal{"the name " + shown(entry->temporary) + " is the second temporary of its file"};
    }
    journal.entries.push_back(*entry);
  }
  // A mark cut short means the roll-back had not begun.
  const Match mark = take(text, rollback_mark);
  if (mark == Match::other || (mark == Match::taken && !text.empty())) {
    throw Refusal{"it goes on after its end"};
  }
  journal.rolling_back = mark == Match::taken;
  return journal;
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

JournalReading parse_journal(std::string_view text) {
  try {
    return {read_journal(text), {}};
  } catch (const Refusal& refusal) {
    return {std::nullopt, refusal.reason};
  }
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
