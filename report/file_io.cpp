#include "report/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
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
    static const FileCalls calls{SystemWrite, SystemFsync, SystemRename, SystemFtruncate};
    return calls;
}

std::string ReadFile(const std::string& path, std::size_t maxBytes, std::string_view reader) {
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
    return data;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, const FileCalls& calls) {
    const std::string target = FollowLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) Fail("Cannot create file", path, errno);
    if (exists && S_ISDIR(st.st_mode)) Fail("Cannot create file", path, EISDIR);
    if (exists && !S_ISREG(st.st_mode)) NotRegular(path);

    // The temporary file lies beside the target, so that the rename stays on
    // one file system and replaces the target in one step.
    std::string temp = Folder(target) + "/." + BaseName(target).substr(0, 200) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) Fail("Cannot create file", path, errno);
    if (exists) {
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            [[maybe_unused]] const int owned = ::fchown(fd, st.st_uid, st.st_gid);
        }
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        ::fchmod(fd, 0666 & ~CurrentUmask());
    }

    int error = 0;
    bool ok = WriteAll(calls, fd, bytes, error);
    if (ok && calls.fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && calls.rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        Fail("Cannot write file", path, error);
    }
    // The new name reaches the disk with the folder.
    const int dir = ::open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
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

}  // namespace zentavo
