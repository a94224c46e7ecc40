// The program's file operations: reading a whole text file, replacing a file
// all at once, appending to a report. Only regular files are read or
// written; a pipe, a device or a folder is refused without waiting on it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zentavo {

// A file that cannot be opened, read, created or written. The message names
// the file and gives the platform's text for the failure.
class IoError : public std::runtime_error {
public:
    IoError(const std::string& message, std::string path = {}, std::string reason = {})
        : std::runtime_error(message), path_(std::move(path)), reason_(std::move(reason)) {}
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

// Reads a whole regular file. The file is opened without waiting (a named
// pipe does not block), refused when it is not a regular file or holds more
// than `maxBytes` bytes, and read in full. `reader` names who refuses a file
// too large ("the editor" opens files of at most ...).
std::string ReadFile(const std::string& path, std::size_t maxBytes = static_cast<std::size_t>(-1),
                     std::string_view reader = "the editor");

// The system calls a replacing write goes through; tests put failing ones in.
struct FileCalls {
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*ftruncate)(int fd, off_t length);
};
const FileCalls& SystemFileCalls();

// Replaces the file at `path` by `bytes` all at once: a temporary file in the
// same folder is written, flushed to the disk and renamed over the target.
// The target keeps its permissions (and owner, where allowed); when `path`
// is a symbolic link the file it points to is replaced and the link stays.
// On any failure the target is unchanged, no temporary file remains and
// IoError says why.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const FileCalls& calls = SystemFileCalls());

// Adds `bytes` at the end of the regular file at `path`, creating it when
// missing. When the write fails the file is cut back to the length it had
// (a file it created is removed), so it keeps exactly what it held.
void AppendToFile(const std::string& path, std::string_view bytes,
                  const FileCalls& calls = SystemFileCalls());

// True when something exists under that name (a link is followed).
bool FileExists(const std::string& path);

}  // namespace zentavo
