// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace zentavo {

namespace {

[[noreturn]] void Fail(const char* what, const std::string& path, int error) {
    const std::string reason = std::strerror(error);
    throw IoError(std::string(what) + " \"" + path + "\": " + reason, path, reason);
}

[[noreturn]] void NotRegular(const std::string& path) {
    throw IoError(NotRegularFileMessage(path), path);
}

std::string SizeText(std::size_t bytes) {
    if (bytes % (std::size_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

[[noreturn]] void TooLarge(const std::string& path, std::size_t limit, std::string_view reader) {
    throw IoError("\"" + path + "\" is too large to open: " + std::string(reader) + " opens files of at most " +
                      SizeText(limit) + ".",
                  path);
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends at; the name itself when it is no
// link. A link to a missing file gives that file's name, so that saving
// through it creates the file it points to.
std::string FollowLinks(const std::string& path) {
    std::string p = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::vector<char> buf(PATH_MAX + 1);
        const ssize_t n = ::readlink(p.c_str(), buf.data(), buf.size() - 1);
        if (n < 0) Fail("Cannot create file", path, errno);
        const std::string link(buf.data(), static_cast<std::size_t>(n));
        p = link.starts_with('/') ? link : Folder(p) + "/" + link;
    }
    Fail("Cannot create file", path, ELOOP);
}

// Writes all bytes; false with `error` set when a write fails.
bool WriteAll(const FileCalls& calls, int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t n = calls.write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        if (n == 0) {  // no progress: a full device that does not say so
            error = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

ssize_t SystemWrite(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int SystemFsync(int fd) { return ::fsync(fd); }
int SystemRename(const char* from, const char* to) { return ::rename(from, to); }
int SystemFtruncate(int fd, off_t length) { return ::ftruncate(fd, length); }
// By the effective ids, as the write itself is checked (access() would take the real ones).
int SystemAccess(const char* path, int mode) { return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS); }

std::int64_t ModifiedNs(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

std::uint64_t HashBytes(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }

// The folder as the user knows it, for a message: its full name when it can
// be resolved.
std::string ShownFolder(const std::string& folder) {
    char* real = ::realpath(folder.c_str(), nullptr);
    std::string shown = real ? real : folder;
    std::free(real);
    return shown;
}

// The temporary file of the replacing write in progress, for the signal
// handler: a fixed buffer it may read without taking a lock or memory. One
// write at a time uses it; a second at the same moment (none in the
// programs today) goes without this protection.
constexpr std::size_t kPendingNameSize = 4096;
char pendingName[kPendingNameSize];
std::atomic<bool> pendingClaimed{false};
std::atomic<bool> pendingArmed{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// The name of a write's temporary file: in the signal handler's buffer when
// that is free and large enough, else in a string of its own. The handler
// removes the file named there from the moment mkostemp fills the name in
// until the write renames or removes the file.
class TemporaryName {
public:
    explicit TemporaryName(const std::string& pattern) : own_(pattern) {
        bool expected = false;
        if (pattern.size() < kPendingNameSize &&
            pendingClaimed.compare_exchange_strong(expected, true)) {
            std::memcpy(pendingName, pattern.c_str(), pattern.size() + 1);
            name_ = pendingName;
            pendingArmed.store(true);
        } else {
            name_ = own_.data();
        }
    }
    ~TemporaryName() { Done(); }
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;
    char* data() { return name_; }
    const char* c_str() const { return name_; }
    // The file is renamed or removed: nothing is left for the handler.
    void Done() {
        if (name_ != pendingName) return;
        own_ = name_;
        name_ = own_.data();
        pendingArmed.store(false);
        pendingClaimed.store(false);
    }

private:
    std::string own_;
    char* name_;
};

// Async-signal-safe: removes the temporary file and ends the program by the
// same signal (its action was reset to the default on entry; the signal,
// blocked while the handler runs, arrives as it returns).
void RemoveTemporaryFileAndEnd(int signal) {
    if (pendingArmed.load()) ::unlink(pendingName);
    ::raise(signal);
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

std::string NotRegularFileMessage(const std::string& path) {
    return "\"" + path + "\" is not a regular file";
}

const FileCalls& SystemFileCalls() {
    static const FileCalls calls{SystemWrite, SystemFsync, SystemRename, SystemFtruncate, SystemAccess};
    return calls;
}

std::string ReadFile(const std::string& path, std::size_t maxBytes, std::string_view reader,
                     FileFingerprint* fingerprint) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) Fail("Cannot open file", path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        Fail("Cannot open file", path, e);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        Fail("Cannot open file", path, EISDIR);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        NotRegular(path);
    }
    if (static_cast<std::size_t>(st.st_size) > maxBytes) {
        ::close(fd);
        TooLarge(path, maxBytes, reader);
    }
    std::string data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t n = ::read(fd, buf.data(), buf.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            Fail("Cannot read file", path, e);
        }
        data.append(buf.data(), static_cast<std::size_t>(n));
        if (data.size() > maxBytes) {  // the file grew while it was read
            ::close(fd);
            TooLarge(path, maxBytes, reader);
        }
    }
    ::close(fd);
    // The time taken before the read: a write during it makes the next look
    // find a later time.
    if (fingerprint) *fingerprint = {data.size(), ModifiedNs(st), HashBytes(data)};
    return data;
}

bool FileChangedSince(const std::string& path, const FileFingerprint& fingerprint) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno != ENOENT;
    if (static_cast<std::uint64_t>(st.st_size) != fingerprint.size || ModifiedNs(st) != fingerprint.modifiedNs) {
        return true;
    }
    try {
        return HashBytes(ReadFile(path, fingerprint.size)) != fingerprint.hash;
    } catch (const IoError&) {
        return true;  // not readable now: nothing says it is unchanged
    }
}

struct ReplacingWrite::State {
    explicit State(const std::string& pattern) : temp(pattern) {}
    std::string path, target;
    const FileCalls* calls = nullptr;
    TemporaryName temp;
    int fd = -1;
    std::uint64_t size = 0;
};

ReplacingWrite::ReplacingWrite(const std::string& path, const FileCalls& calls) {
    const std::string target = FollowLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) Fail("Cannot create file", path, errno);
    if (exists && S_ISDIR(st.st_mode)) Fail("Cannot create file", path, EISDIR);
    if (exists && !S_ISREG(st.st_mode)) NotRegular(path);
    if (exists) {
        // The rename needs only the folder's permission, so the file's own is
        // asked here: a read-only file is refused as a plain write refuses it.
        const auto access = calls.access ? calls.access : SystemAccess;
        if (access(target.c_str(), W_OK) != 0) Fail("Cannot write file", path, errno);
        if (access(Folder(target).c_str(), W_OK | X_OK) != 0) {
            if (errno != EACCES) Fail("Cannot write file", path, errno);
            const std::string reason = "the folder \"" + ShownFolder(Folder(target)) + "\" is not writable";
            throw IoError("Cannot replace \"" + path + "\": " + reason, path, reason);
        }
    }

    // The temporary file lies beside the target, so that the rename stays on
    // one file system and replaces the target in one step.
    state_ = std::make_unique<State>(Folder(target) + "/." + BaseName(target).substr(0, 200) + ".XXXXXX");
    state_->path = path;
    state_->target = target;
    state_->calls = &calls;
    const int fd = ::mkostemp(state_->temp.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        state_->temp.Done();
        state_.reset();
        Fail("Cannot create file", path, error);
    }
    state_->fd = fd;
    if (exists) {
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            [[maybe_unused]] const int owned = ::fchown(fd, st.st_uid, st.st_gid);
        }
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~CurrentUmask());
    }
}

ReplacingWrite::~ReplacingWrite() { Abandon(); }

void ReplacingWrite::Abandon() {
    if (!state_) return;
    if (state_->fd >= 0) ::close(state_->fd);
    ::unlink(state_->temp.c_str());
    state_->temp.Done();
    state_.reset();
}

void ReplacingWrite::Write(std::string_view bytes) {
    if (!state_) throw std::logic_error("a replacing write used after it ended");
    int error = 0;
    if (!WriteAll(*state_->calls, state_->fd, bytes, error)) {
        const std::string path = state_->path;
        Abandon();
        Fail("Cannot write file", path, error);
    }
    state_->size += bytes.size();
}

FileFingerprint ReplacingWrite::Commit() {
    if (!state_) throw std::logic_error("a replacing write used after it ended");
    State& w = *state_;
    const FileCalls& calls = *w.calls;
    int error = 0;
    bool ok = true;
    if (calls.fsync(w.fd) != 0) {
        ok = false;
        error = errno;
    }
    struct stat written {};
    if (ok && ::fstat(w.fd, &written) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(w.fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    w.fd = -1;
    if (ok && calls.rename(w.temp.c_str(), w.target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        const std::string path = w.path;
        Abandon();
        Fail("Cannot write file", path, error);
    }
    w.temp.Done();
    const std::string folder = Folder(w.target);
    const FileFingerprint done{w.size, ModifiedNs(written), 0};
    state_.reset();
    // The new name reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return done;
}

FileFingerprint WriteFileAtomically(const std::string& path, std::string_view bytes, const FileCalls& calls) {
    ReplacingWrite write(path, calls);
    write.Write(bytes);
    FileFingerprint done = write.Commit();
    done.hash = HashBytes(bytes);
    return done;
}

void RemoveTemporaryFileOnSignals() {
    // A crash (in a library that runs out of memory, say) removes it too;
    // a handler of another's for those signals (a sanitizer's) stays.
    for (const int signal : {SIGHUP, SIGINT, SIGTERM, SIGSEGV, SIGBUS, SIGABRT, SIGFPE}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        const bool crash = signal != SIGHUP && signal != SIGINT && signal != SIGTERM;
        if (crash && ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL)) continue;
        struct sigaction action {};
        action.sa_handler = RemoveTemporaryFileAndEnd;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        for (const int other : {SIGHUP, SIGINT, SIGTERM}) sigaddset(&action.sa_mask, other);
        ::sigaction(signal, &action, nullptr);
    }
}

void AppendToFile(const std::string& path, std::string_view bytes, const FileCalls& calls) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) Fail("Cannot create file", path, EISDIR);
        if (!S_ISREG(st.st_mode)) NotRegular(path);
    }
    // O_NONBLOCK: a pipe that appears under the name meanwhile is not waited on.
    constexpr int kFlags = O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    bool created = false;
    int fd = ::open(path.c_str(), kFlags);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
        created = fd >= 0;
    }
    if (fd < 0) {
        if (errno == ENXIO) NotRegular(path);  // a pipe without a reader
        Fail("Cannot create file", path, errno);
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        NotRegular(path);
    }
    const off_t before = st.st_size;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    int error = 0;
    bool ok = WriteAll(calls, fd, bytes, error);
    if (ok && calls.fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        // Cut off what reached the file, so that it holds exactly what it
        // held before; a file made by this append goes again.
        calls.ftruncate(fd, before);
        if (created) ::unlink(FollowLinks(path).c_str());
        ::close(fd);
        Fail("Cannot write file", path, error);
    }
    if (::close(fd) != 0) Fail("Cannot write file", path, errno);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

FilePlace PlaceOf(const std::string& path) {
    FilePlace place;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        place.exists = true;
        place.device = st.st_dev;
        place.inode = st.st_ino;
        return place;
    }
    // Not there yet: the name a write would create (a dangling link leads to
    // the file it names), in its folder's full name.
    std::string target = path;
    try {
        target = FollowLinks(path);
    } catch (const IoError&) {
        // a loop of links: the name as given
    }
    const std::string folder = Folder(target);
    char* real = ::realpath(folder.c_str(), nullptr);
    if (real) {
        const std::string full = real;
        place.name = (full == "/" ? "" : full) + "/" + BaseName(target);
    } else {
        place.name = target;
    }
    std::free(real);
    return place;
}

std::optional<FilePlace> PlaceOfOpenFile(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    FilePlace place;
    place.exists = true;
    place.device = st.st_dev;
    place.inode = st.st_ino;
    return place;
}

}  // namespace zentavo
