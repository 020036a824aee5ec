#include "core/replacement_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <fmt/format.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <system_error>
#include <thread>

#include "core/folder_lock.h"
#include "core/set_journal.h"

namespace novarel {
namespace {

constexpr std::size_t BufferLimit = 1 << 16;
constexpr std::string_view Marker = ".novarel-";
constexpr std::string_view TempEnding = ".tmp";

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The new file gets the permissions of the file it replaces and, when the
// superuser writes it, that file's owner: a replaced file is still the same
// file to whoever may read it. A link or a new name keeps the defaults.
void TakeOwnerAndMode(int fd, const std::string& finalPath) {
    struct stat st {};
    if (::lstat(finalPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    // fchown first: it clears set-id bits that fchmod would have set.
    if (::geteuid() == 0) (void)::fchown(fd, st.st_uid, st.st_gid);
    (void)::fchmod(fd, st.st_mode & 0777);
}

// The process id in a replacement name, or 0.
pid_t OwnerOf(std::string_view name) {
    const std::size_t at = name.rfind(Marker);
    if (at == std::string_view::npos) return 0;
    const std::string_view rest = name.substr(at + Marker.size());
    long pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (ec != std::errc() || end == rest.data() || *end != '-' || pid <= 0) return 0;
    return static_cast<pid_t>(pid);
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (n == 0) {
            error = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

int SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = 0;
    if (::fsync(fd) != 0 && errno != EINVAL) error = errno;  // some file systems cannot
    ::close(fd);
    return error;
}

bool IsReplacementName(std::string_view name) {
    return name.size() > 1 && name.front() == '.' && name.ends_with(TempEnding) &&
           OwnerOf(name) != 0;
}

namespace {

// Stale new files in the folder whose names start with prefix.
void RemoveStaleReplacementsStarting(const std::string& folder, std::string_view prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (!name.starts_with(prefix) || !IsReplacementName(name)) continue;
        const pid_t owner = OwnerOf(name);
        if (owner == ::getpid()) continue;
        // Another user's files are theirs to clear, whatever their names say.
        struct stat st {};
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            st.st_uid != ::geteuid())
            continue;
        if (::kill(owner, 0) != 0 && errno == ESRCH) stale.emplace_back(name);
    }
    ::closedir(dir);
    for (const std::string& name : stale) ::unlink((folder + "/" + name).c_str());
}

}  // namespace

void RemoveStaleReplacements(const std::string& folder) {
    RemoveStaleReplacementsStarting(folder, "");
}

void RemoveStaleReplacementsOf(const std::string& finalPath) {
    RemoveStaleReplacementsStarting(FolderOf(finalPath),
                                    fmt::format(".{}{}", BaseName(finalPath), Marker));
}

ReplacementFile::ReplacementFile(ReplacementFile&& o) noexcept
    : fd_(o.fd_),
      finalPath_(std::move(o.finalPath_)),
      tempPath_(std::move(o.tempPath_)),
      buffer_(std::move(o.buffer_)),
      error_(o.error_) {
    o.fd_ = -1;
    o.tempPath_.clear();
}

ReplacementFile& ReplacementFile::operator=(ReplacementFile&& o) noexcept {
    if (this != &o) {
        discard();
        fd_ = o.fd_;
        finalPath_ = std::move(o.finalPath_);
        tempPath_ = std::move(o.tempPath_);
        buffer_ = std::move(o.buffer_);
        error_ = o.error_;
        o.fd_ = -1;
        o.tempPath_.clear();
    }
    return *this;
}

ReplacementFile::~ReplacementFile() { discard(); }

void ReplacementFile::fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
}

bool ReplacementFile::create(const std::string& finalPath) {
    discard();
    finalPath_ = finalPath;
    error_ = 0;
    buffer_.clear();
    struct stat st {};
    if (::stat(finalPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        fail(EISDIR);
        return false;
    }
    const std::string folder = FolderOf(finalPath);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = fmt::format(".{}{}{}-{:08x}{}", BaseName(finalPath), Marker,
                                             ::getpid(), random(), TempEnding);
        const std::string path = folder + "/" + name;
        // O_EXCL: never an existing file, never through a link placed there.
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            tempPath_ = path;
            buffer_.reserve(BufferLimit);
            TakeOwnerAndMode(fd, finalPath);
            return true;
        }
        if (errno != EEXIST) {
            fail(errno);
            return false;
        }
    }
    fail(EEXIST);
    return false;
}

bool ReplacementFile::flushBuffer() {
    if (fd_ < 0 || error_ != 0) return false;
    int error = 0;
    const bool ok = WriteAll(fd_, buffer_, error);
    buffer_.clear();
    if (!ok) fail(error);
    return ok;
}

bool ReplacementFile::write(std::string_view bytes) {
    if (fd_ < 0 || error_ != 0) return false;
    if (buffer_.size() + bytes.size() > BufferLimit && !flushBuffer()) return false;
    if (bytes.size() > BufferLimit) {
        int error = 0;
        if (!WriteAll(fd_, bytes, error)) {
            fail(error);
            return false;
        }
        return true;
    }
    buffer_.append(bytes);
    return true;
}

bool ReplacementFile::finishWriting() {
    if (fd_ < 0) return error_ == 0 && !tempPath_.empty();
    flushBuffer();
    if (error_ == 0 && ::fsync(fd_) != 0) fail(errno);
    if (::close(fd_) != 0) fail(errno);
    fd_ = -1;
    return error_ == 0;
}

bool ReplacementFile::commit() {
    if (!finishWriting()) return false;
    if (::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) {
        fail(errno);
        return false;
    }
    tempPath_.clear();
    return true;
}

void ReplacementFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
    buffer_.clear();
}

namespace {

SetCommit FileFailed(std::size_t index, int error) {
    SetCommit c;
    c.result = SetCommit::Result::Kept;
    c.failedIndex = static_cast<int>(index);
    c.error = error != 0 ? error : EIO;
    return c;
}

SetCommit FolderFailed(std::string problem) {
    SetCommit c;
    c.result = SetCommit::Result::Kept;
    c.folderProblem = std::move(problem);
    return c;
}

// Each file's names for the journal; the old file's second name is the new
// file's with ".old" before its ending, so it is cleared as a stale new
// file once the set is final.
bool JournalEntries(const std::vector<ReplacementFile*>& files, const std::string& folder,
                    std::vector<JournalEntry>& entries, SetCommit& failure) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ReplacementFile& f = *files[i];
        struct stat st {};
        if (FolderOf(f.finalPath()) != folder) {
            failure = FileFailed(i, EXDEV);
            return false;
        }
        if (::lstat(f.tempPath().c_str(), &st) != 0) {
            failure = FileFailed(i, errno);
            return false;
        }
        const std::string temp = BaseName(f.tempPath());
        const std::string backup =
            temp.substr(0, temp.size() - TempEnding.size()) + ".old" + std::string(TempEnding);
        entries.push_back(JournalEntry{BaseName(f.finalPath()), temp, backup, st.st_ino});
    }
    return true;
}

// Gives the old file at the final name its second name: a hard link, so
// the final name is never missing; a rename where links are not allowed.
int KeepOldFile(const std::string& finalPath, const std::string& backupPath) {
    struct stat st {};
    if (::lstat(finalPath.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (::linkat(AT_FDCWD, finalPath.c_str(), AT_FDCWD, backupPath.c_str(), 0) == 0) return 0;
    if (errno == EEXIST || errno == EIO || errno == ENOSPC) return errno;
    return ::rename(finalPath.c_str(), backupPath.c_str()) == 0 ? 0 : errno;
}

SetCommit JournalFailed(const std::string& folder, int error) {
    return FolderFailed(fmt::format("the journal {} cannot be written ({})", JournalPath(folder),
                                    std::strerror(error != 0 ? error : EIO)));
}

// Puts a finished set in place under the lock, as CommitTogether says.
SetCommit ReplaceSet(const std::vector<ReplacementFile*>& files, const std::string& folder,
                     const std::vector<JournalEntry>& entries, ReplacementFile& journal) {
    if (!journal.commit()) return JournalFailed(folder, journal.error());
    if (const int error = SyncFolder(folder)) {
        RemoveJournal(folder);  // nothing was renamed: the journal would undo nothing
        return JournalFailed(folder, error);
    }
    SetCommit failure;
    for (std::size_t i = 0; i < files.size(); ++i) {
        int error = KeepOldFile(files[i]->finalPath(), folder + "/" + entries[i].backupName);
        if (error == 0 && !files[i]->commit()) error = files[i]->error();
        if (error == 0) continue;
        failure = FileFailed(i, error);
        failure.restoreError = RollBack(folder, entries);
        // A journal left after a whole roll-back only rolls back again, to
        // no effect.
        if (failure.restoreError == 0) RemoveJournal(folder);
        if (failure.restoreError != 0) failure.result = SetCommit::Result::Mixed;
        return failure;
    }
    // Once the journal is gone the set is final: the renames reach the disk
    // before that, and its removal before the run reports success.
    SyncFolder(folder);
    if (const int error = RemoveJournal(folder)) {
        failure = FolderFailed(fmt::format("the journal {} cannot be removed ({})",
                                           JournalPath(folder), std::strerror(error)));
        failure.restoreError = RollBack(folder, entries);
        if (failure.restoreError != 0) failure.result = SetCommit::Result::Mixed;
        return failure;
    }
    for (const JournalEntry& e : entries) ::unlink((folder + "/" + e.backupName).c_str());
    return {};
}

// Writes what is buffered and syncs every file, side by side: each sync
// waits for the disk, and syncs running together share the file system's
// journal commits, so a set costs about one file's sync.
void FinishAll(const std::vector<ReplacementFile*>& files) {
    std::vector<std::thread> syncs;
    for (std::size_t i = 1; i < files.size(); ++i) {
        try {
            syncs.emplace_back([f = files[i]] { f->finishWriting(); });
        } catch (const std::system_error&) {
            files[i]->finishWriting();  // no thread to spare: one after the other
        }
    }
    if (!files.empty()) files[0]->finishWriting();
    for (std::thread& t : syncs) t.join();
}

}  // namespace

SetCommit CommitTogether(const std::vector<ReplacementFile*>& files, const std::string& lockFolder,
                         const LockWait& wait) {
    // A set of several files is journaled; the journal is written beside
    // them, under a new file's name until the lock is held.
    std::vector<JournalEntry> entries;
    ReplacementFile journal;
    std::vector<ReplacementFile*> finishing = files;
    if (files.size() > 1) {
        SetCommit failure;
        if (!JournalEntries(files, lockFolder, entries, failure)) return failure;
        const std::optional<std::string> text = JournalText(entries);
        if (!text) return JournalFailed(lockFolder, EINVAL);
        if (!journal.create(JournalPath(lockFolder)) || !journal.write(*text))
            return JournalFailed(lockFolder, journal.error());
        finishing.push_back(&journal);
    }
    FinishAll(finishing);
    for (std::size_t i = 0; i < files.size(); ++i)
        if (files[i]->failed()) return FileFailed(i, files[i]->error());
    if (journal.failed()) return JournalFailed(lockFolder, journal.error());
    FolderLock lock(lockFolder, wait);
    if (!lock.locked()) return FolderFailed(lock.problem());
    if (std::string problem = RollBackUnfinishedSet(lockFolder); !problem.empty())
        return FolderFailed(std::move(problem));
    RemoveStaleReplacements(lockFolder);
    if (files.size() > 1) return ReplaceSet(files, lockFolder, entries, journal);
    // One rename replaces one file whole: no journal is needed.
    if (!files.empty() && !files[0]->commit()) return FileFailed(0, files[0]->error());
    // A folder that cannot be synced (some file systems refuse) leaves the
    // rename to the system's own write-back.
    SyncFolder(lockFolder);
    return {};
}

SetCommit WriteRunDataFile(const std::string& path, std::string_view bytes, const LockWait& wait) {
    ReplacementFile file;
    if (!file.create(path) || !file.write(bytes)) return FileFailed(0, file.error());
    return CommitTogether({&file}, FolderOf(path), wait);
}

}  // namespace novarel
