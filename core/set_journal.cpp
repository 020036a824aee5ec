#include "core/set_journal.h"

#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "core/replacement_file.h"
#include "core/text_file.h"

namespace novarel {
namespace {

constexpr std::string_view Header = "novarel file set 1";

// A name in the folder: never a path, never the folder or its parent.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\n") == std::string_view::npos;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The parts between separators; a text ending with one ends with an empty part.
std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

}  // namespace

std::string JournalPath(const std::string& folder) { return folder + "/" + SetJournalFileName; }

std::optional<std::string> JournalText(const std::vector<JournalEntry>& entries) {
    for (const JournalEntry& e : entries)
        if (!IsPlainName(e.finalName) || !IsPlainName(e.tempName) || !IsPlainName(e.backupName))
            return std::nullopt;
    std::string text = fmt::format("{}\n", Header);
    for (const JournalEntry& e : entries)
        text += fmt::format("{}/{}/{}/{}\n", e.finalName, e.tempName, e.backupName, e.tempInode);
    return text;
}

std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text) {
    if (!text.ends_with('\n')) return std::nullopt;
    text.remove_suffix(1);
    const std::vector<std::string_view> lines = Split(text, '\n');
    if (lines.front() != Header) return std::nullopt;
    std::vector<JournalEntry> entries;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string_view> f = Split(lines[i], '/');
        if (f.size() != 4 || !IsPlainName(f[0]) || !IsReplacementName(f[1]) ||
            !IsReplacementName(f[2]))
            return std::nullopt;
        JournalEntry e{std::string(f[0]), std::string(f[1]), std::string(f[2]), 0};
        const auto [end, ec] = std::from_chars(f[3].data(), f[3].data() + f[3].size(), e.tempInode);
        if (ec != std::errc() || end != f[3].data() + f[3].size()) return std::nullopt;
        entries.push_back(std::move(e));
    }
    return entries;
}

int RemoveJournal(const std::string& folder) {
    if (::unlink(JournalPath(folder).c_str()) != 0 && errno != ENOENT) return errno;
    return SyncFolder(folder);
}

int RollBack(const std::string& folder, const std::vector<JournalEntry>& entries) {
    int firstError = 0;
    auto note = [&](int error) {
        if (firstError == 0) firstError = error;
    };
    for (const JournalEntry& e : entries) {
        const std::string finalPath = folder + "/" + e.finalName;
        const std::string tempPath = folder + "/" + e.tempName;
        const std::string backupPath = folder + "/" + e.backupName;
        struct stat finalSt {
        }, backupSt{}, tempSt{};
        const bool hasFinal = ::lstat(finalPath.c_str(), &finalSt) == 0;
        if (::lstat(backupPath.c_str(), &backupSt) == 0) {
            // The old file under its second name: back in place, unless the
            // final name still is the old file itself.
            const int rc = hasFinal && SameFile(finalSt, backupSt)
                               ? ::unlink(backupPath.c_str())
                               : ::rename(backupPath.c_str(), finalPath.c_str());
            if (rc != 0) note(errno);
        } else if (hasFinal && finalSt.st_ino == e.tempInode) {
            // A new file where there was none before.
            if (::unlink(finalPath.c_str()) != 0) note(errno);
        }
        if (::lstat(tempPath.c_str(), &tempSt) == 0 && tempSt.st_ino == e.tempInode)
            ::unlink(tempPath.c_str());
    }
    if (firstError == 0) firstError = SyncFolder(folder);
    return firstError;
}

std::string RollBackUnfinishedSet(const std::string& folder) {
    const std::string path = JournalPath(folder);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return {};
        return fmt::format("the journal {} cannot be read ({})", path, std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return fmt::format("the journal {} is not a file of this user", path);
    const std::optional<std::string> text = ReadWholeFile(path);
    const auto entries = text ? ParseJournal(*text) : std::nullopt;
    if (!entries) return fmt::format("the journal {} cannot be read", path);
    int error = RollBack(folder, *entries);
    if (error == 0) error = RemoveJournal(folder);
    if (error == 0) return {};
    return fmt::format("the data files of a run stopped in {} cannot be put back ({})", folder,
                       std::strerror(error));
}

}  // namespace novarel
