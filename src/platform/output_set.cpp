// Files::replace_set and Files::recover: a set of files replaced as one,
// the way a careful database commits. The journal is the commit record:
// while it lies in the directory the set is in flight, and whoever finds it
// (this run on a failure, the next run after a kill) takes the set to one
// whole state before anything else happens there.
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>

#include "platform/directories.h"
#include "platform/directory_lock.h"
#include "platform/file_steps.h"
#include "platform/files.h"
#include "platform/journal.h"
#include "platform/signals.h"

namespace scenari::platform {

namespace {

// The one directory of the set; a file named twice would be replaced by
// whichever of its two contents is renamed last.
std::string common_directory(const std::vector<OutputFile>& set) {
  const std::string directory = directory_of(set.front().path);
  std::set<std::string> paths;
  for (const OutputFile& file : set) {
    if (directory_of(file.path) != directory) {
      throw std::invalid_argument("a set of files spans directories: " + file.path);
    }
    if (!paths.insert(file.path).second) throw FileError(file.path, "named twice in one set of files");
  }
  return directory;
}

}  // namespace

// One replacement or recovery in one directory, run under its lock.
class OutputSet {
 public:
  OutputSet(Files& files, std::string directory)
      : files_(files), directory_(std::move(directory)), journal_(join(directory_, journal_name)) {}

  void replace(const std::vector<OutputFile>& set);
  void recover();

 private:
  struct Entry {
    std::string target;
    std::string temporary;
    std::string backup;
    bool had_older;
  };

  std::vector<Entry> entries_of(const std::vector<JournalEntry>& journal) const;
  void write_journal(const std::vector<Entry>& entries);
  void mark_rollback();
  std::vector<bool> link_backups(const std::vector<Entry>& entries);
  void rename_checked(const std::string& from, const std::string& to, const std::string& target);
  void rename_all(const std::vector<Entry>& entries, const std::vector<bool>& linked);
  void roll_forward(const std::vector<Entry>& entries);
  void roll_back(const std::vector<Entry>& entries);
  void sync();
  void remove_leftovers();

  Files& files_;
  std::string directory_;
  std::string journal_;
};

std::vector<OutputSet::Entry> OutputSet::entries_of(const std::vector<JournalEntry>& journal) const {
  std::vector<Entry> entries;
  for (const JournalEntry& e : journal) {
    entries.push_back({join(directory_, target_of(e.temporary)), join(directory_, e.temporary),
                       join(directory_, backup_of(e.temporary)), e.had_older});
  }
  return entries;
}

void OutputSet::sync() {
  files_.check(Operation::fsync, directory_);
  sync_directory(directory_);
}

// The journal and its directory entry are on the disk before the first
// backup or rename, so a journal cut short means nothing was renamed yet.
void OutputSet::write_journal(const std::vector<Entry>& entries) {
  std::vector<JournalEntry> lines;
  for (const Entry& e : entries) lines.push_back({name_of(e.temporary), e.had_older});
  files_.check(Operation::write, journal_);
  files_.check(Operation::fsync, journal_);
  // Created anew: a name that appeared since the recovery (a link, a FIFO)
  // is refused rather than written through.
  write_durably(journal_, journal_text(lines), Placement::created);
  try {
    sync();
  } catch (const FileError&) {
    remove_quietly(journal_);
    throw;
  }
}

void OutputSet::mark_rollback() {
  write_durably(journal_, rollback_mark, Placement::appended);
}

// A hard link per older file, where the file system has them; the files
// whose link failed get their backup by a rename just before their own.
std::vector<bool> OutputSet::link_backups(const std::vector<Entry>& entries) {
  std::vector<bool> linked(entries.size(), false);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].had_older) continue;
    if (files_.fault(Operation::link, entries[i].target) != 0 ||
        !link_file(entries[i].target, entries[i].backup)) {
      break;
    }
    linked[i] = true;
  }
  return linked;
}

void OutputSet::rename_checked(const std::string& from, const std::string& to,
                               const std::string& target) {
  files_.check(Operation::rename, target);
  rename_over(from, to, target);
}

void OutputSet::rename_all(const std::vector<Entry>& entries, const std::vector<bool>& linked) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (e.had_older && !linked[i]) rename_checked(e.target, e.backup, e.target);
    rename_checked(e.temporary, e.target, e.target);
  }
}

// Every temporary still there is renamed over its file: temporaries go only
// by their rename, unless the journal says the set is being rolled back.
void OutputSet::roll_forward(const std::vector<Entry>& entries) {
  for (const Entry& e : entries) {
    if (kind_of(e.temporary) != Kind::missing) rename_checked(e.temporary, e.target, e.target);
  }
}

// Every file renamed gets its older version back from the backup, or goes
// when it had none; a backup that is still a second name of its file is
// simply dropped (a rename between two names of one file does nothing).
void OutputSet::roll_back(const std::vector<Entry>& entries) {
  for (const Entry& e : entries) {
    const bool renamed = kind_of(e.temporary) == Kind::missing;
    if (e.had_older && kind_of(e.backup) != Kind::missing) {
      if (same_file(e.backup, e.target)) {
        remove_if_there(e.backup);
      } else {
        rename_checked(e.backup, e.target, e.target);
      }
    } else if (!e.had_older && renamed) {
      remove_if_there(e.target);
    }
    remove_if_there(e.temporary);
  }
}

void OutputSet::remove_leftovers() {
  for (const std::string& name : file_names(directory_)) {
    if (is_leftover_name(name)) remove_if_there(join(directory_, name));
  }
}

void OutputSet::replace(const std::vector<OutputFile>& set) {
  // Held from the first temporary on, so an interrupted run leaves no
  // temporary behind either.
  const HeldSignals held;
  std::vector<std::unique_ptr<TemporaryFile>> temporaries;
  std::vector<Entry> entries;
  for (const OutputFile& file : set) {
    refuse_non_regular(file.path);
    auto temporary = std::make_unique<TemporaryFile>(files_, file.path);
    file.fill(*temporary);
    temporary->finish(true);
    temporaries.push_back(std::move(temporary));
  }
  for (const auto& t : temporaries) {
    const std::string backup = backup_of(t->path());
    entries.push_back({t->target(), t->path(), backup, kind_of(t->target()) == Kind::regular});
  }

  write_journal(entries);
  for (const auto& t : temporaries) t->keep();
  try {
    rename_all(entries, link_backups(entries));
    sync();
  } catch (const FileError&) {
    // Rolled back here when possible; otherwise the journal stays for the
    // next run, which finds the set in flight and completes it.
    try {
      mark_rollback();
      roll_back(entries);
      sync_directory(directory_);
      remove_if_there(journal_);
    } catch (const FileError&) {
    }
    throw;
  }
  remove_if_there(journal_);
  // The set is whole; a backup that cannot go now is a leftover the next
  // run removes.
  for (const Entry& e : entries) remove_quietly(e.backup);
}

// A journal that is not one this layer writes is left as it is, with
// everything else in the directory: acting on it could move or delete
// files the set never held.
void OutputSet::recover() {
  const std::optional<std::string> text = read_regular_unfollowed(journal_);
  if (text) {
    const JournalReading reading = parse_journal(*text);
    if (!reading.refusal.empty()) {
      throw FileError(journal_, "refused: " + reading.refusal +
                                    "; nothing in the directory was changed (remove the journal "
                                    "if no interrupted run left it)");
    }
    const HeldSignals held;
    if (reading.journal) {
      const std::vector<Entry> entries = entries_of(reading.journal->entries);
      if (reading.journal->rolling_back) {
        roll_back(entries);
      } else {
        roll_forward(entries);
      }
      sync();
    }
    remove_if_there(journal_);
  }
  remove_leftovers();
}

void Files::replace_set(const std::vector<OutputFile>& set) {
  if (set.empty()) return;
  const std::string directory = common_directory(set);
  const DirectoryLock lock(directory, true);
  OutputSet(*this, directory).recover();
  OutputSet(*this, directory).replace(set);
}

void Files::recover(const std::string& directory) {
  const DirectoryLock lock(directory, true);
  OutputSet(*this, directory).recover();
}

}  // namespace scenari::platform
