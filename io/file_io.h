// SPDX-License-Identifier: GPL-3.0-or-later
// The program's file operations: reading a whole text file, replacing a file
// all at once, appending to a report. Only regular files are read or
// written; a pipe, a device or a folder is refused without waiting on it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/error.h"

namespace zentavo {

// A file that cannot be opened, read, created or written. The message names
// the file and gives the platform's text for the failure.
class IoError : public Error {
public:
    IoError(const std::string& message, std::string path = {}, std::string reason = {})
        : Error(message), path_(std::move(path)), reason_(std::move(reason)) {}
    const std::string& path() const { return path_; }
    // The platform's text ("No space left on device"); empty when the
    // message says all (a file that is not a regular file, a file too large).
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// "<path>" is not a regular file: a pipe, a device, a socket.
std::string NotRegularFileMessage(const std::string& path);

// The largest file the editor opens.
inline constexpr std::size_t kEditorFileLimit = std::size_t{64} << 20;

// What a file held when the program read or wrote it: its size, its time
// of last change and a hash of its bytes. A later look at the file tells
// whether another program has written it since.
struct FileFingerprint {
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // nanoseconds since the epoch
    std::uint64_t hash = 0;
    bool operator==(const FileFingerprint&) const = default;
};

// Reads a whole regular file. The file is opened without waiting (a named
// pipe does not block), refused when it is not a regular file or holds more
// than `maxBytes` bytes, and read in full. `reader` names who refuses a file
// too large ("the editor" opens files of at most ...). With `fingerprint`
// the file's fingerprint as read is kept there.
std::string ReadFile(const std::string& path, std::size_t maxBytes = static_cast<std::size_t>(-1),
                     std::string_view reader = "the editor", FileFingerprint* fingerprint = nullptr);

// True when the file at `path` no longer holds what `fingerprint` took: its
// size, its time of change or its bytes differ (a file rewritten with as
// many bytes within one tick of the file system's clock is told by its
// bytes). A file that is gone holds nothing to lose: false.
bool FileChangedSince(const std::string& path, const FileFingerprint& fingerprint);

// The system calls a replacing write goes through; tests put failing ones in.
struct FileCalls {
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*ftruncate)(int fd, off_t length);
    // Whether the user may write a file or folder (W_OK), by the effective
    // user and group ids: 0, or -1 with errno set.
    int (*access)(const char* path, int mode);
};
const FileCalls& SystemFileCalls();

// Replaces the file at `path` by `bytes` all at once: a temporary file in the
// same folder is written, flushed to the disk and renamed over the target.
// The target keeps its permissions (and owner, where allowed); when `path`
// is a symbolic link the file it points to is replaced and the link stays.
// A target the user may not write is refused as a plain write would be
// ("...: Permission denied"), although the rename would be allowed; so is
// a writable target in a folder the user may not write ("Cannot replace
// ...: the folder ... is not writable"). On any failure the target is
// unchanged, no temporary file remains and IoError says why. Returns the
// fingerprint of the file written.
FileFingerprint WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    const FileCalls& calls = SystemFileCalls());

// The same replacing write with the bytes given piece by piece, for a file
// too large to hold in memory (a study's labels PDF as its pages are
// painted). The constructor checks the target as above and creates the
// temporary file beside it; Write adds bytes to it; Commit flushes it and
// renames it over the target, returning its size and time (no hash: the
// bytes are not held). Any failure raises IoError, leaving the target
// unchanged and no temporary file; so does a write destroyed or abandoned
// before Commit (a cancelled export).
class ReplacingWrite {
public:
    explicit ReplacingWrite(const std::string& path, const FileCalls& calls = SystemFileCalls());
    ~ReplacingWrite();
    ReplacingWrite(const ReplacingWrite&) = delete;
    ReplacingWrite& operator=(const ReplacingWrite&) = delete;

    void Write(std::string_view bytes);
    FileFingerprint Commit();
    // Removes the temporary file; the target stays as it was.
    void Abandon();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Makes SIGHUP, SIGINT and SIGTERM, and a crash (SIGSEGV, SIGBUS, SIGABRT,
// SIGFPE, unless another handler has them), remove the temporary file of a
// replacing write in progress before the program ends by that signal, so
// that the exit status is still the signal's and the target stays as it
// was. A signal the program was started ignoring stays ignored. For programs without other
// handlers of these signals (the batch calculator).
void RemoveTemporaryFileOnSignals();

// Adds `bytes` at the end of the regular file at `path`, creating it when
// missing. When the write fails the file is cut back to the length it had
// (a file it created is removed), so it keeps exactly what it held.
void AppendToFile(const std::string& path, std::string_view bytes,
                  const FileCalls& calls = SystemFileCalls());

// True when something exists under that name (a link is followed).
bool FileExists(const std::string& path);

// Where a name leads, to tell whether two names are one file: the file
// itself (its device and inode) when it exists, else the name it would be
// created under, links followed and its folder resolved, so that "x.pdf"
// and "./x.pdf" are one place before either exists.
struct FilePlace {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string name;  // when it does not exist
    bool operator==(const FilePlace&) const = default;
};
FilePlace PlaceOf(const std::string& path);
// The regular file open as `fd` (standard input or output); nothing for a
// terminal, a pipe or a device, which no name replaces.
std::optional<FilePlace> PlaceOfOpenFile(int fd);
inline bool SameFile(const std::string& a, const std::string& b) { return PlaceOf(a) == PlaceOf(b); }

}  // namespace zentavo
