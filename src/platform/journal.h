// The journal of a set replacement: the temporaries of the set, which of
// their files had an older version, and whether the set is being rolled
// back. It lies in the set's directory while the renames run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenari::platform {

inline constexpr const char* journal_name = ".scenari-journal";

struct JournalEntry {
  std::string temporary;  // name in the directory: "<target>.tmp-XXXXXX"
  bool had_older = false;
};

struct Journal {
  std::vector<JournalEntry> entries;
  bool rolling_back = false;
};

std::string journal_text(const std::vector<JournalEntry>& entries);
inline constexpr std::string_view rollback_mark = "rollback\n";

// What a journal's text holds. Anyone who can write into the directory can
// plant one, so its names are trusted only when each is the temporary of a
// plain name of the directory, distinct from the others'.
struct JournalReading {
  std::optional<Journal> journal;  // the journal, written in full
  std::string refusal;  // why the text is no journal a replacement writes
};
// Nothing and no refusal: the text was cut short, the run ending while
// writing it, before any rename.
JournalReading parse_journal(std::string_view text);

// "<target>.tmp-XXXXXX" and "<target>.tmp-XXXXXX-old": the names a
// replacement gives its temporaries and backups, the longest of them 15
// bytes longer than its target.
inline constexpr std::size_t leftover_extra_length = 15;
bool is_leftover_name(std::string_view name);
std::string target_of(std::string_view temporary);
std::string backup_of(std::string_view temporary);

}  // namespace scenari::platform
