#pragma once
// The journal of a set of files put in place together. It is on disk before
// the first old file is touched and removed once the last new file is in
// place, so a journal found in a folder names a set whose run was stopped
// part-way; rolling it back puts that run's old files back.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace novarel {

inline constexpr const char* SetJournalFileName = "novarel_SE.journal";

// One file of the set, by its names in the folder.
struct JournalEntry {
    std::string finalName;
    std::string tempName;    // the new file, until it is renamed onto finalName
    std::string backupName;  // a second name given to the old file before that
    unsigned long long tempInode = 0;
};

// FOLDER/novarel_SE.journal
std::string JournalPath(const std::string& folder);

// The journal's bytes; nullopt when a name cannot be written in one (a
// newline in it).
std::optional<std::string> JournalText(const std::vector<JournalEntry>& entries);
// nullopt for a text that is not a journal.
std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text);

// Removes the journal and syncs the folder; 0 or the errno.
int RemoveJournal(const std::string& folder);

// Puts every old file of the set back under its final name, removes the new
// files that had none before them and the new files not yet renamed. Safe to
// repeat after being stopped part-way. 0 or the first errno.
int RollBack(const std::string& folder, const std::vector<JournalEntry>& entries);

// Rolls back the set of a journal left in the folder and removes the
// journal. Empty when there was none or all went well, else the problem as
// a phrase ("the data files of a run stopped in P cannot be put back (...)").
std::string RollBackUnfinishedSet(const std::string& folder);

}  // namespace novarel
