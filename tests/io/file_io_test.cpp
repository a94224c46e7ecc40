// SPDX-License-Identifier: GPL-3.0-or-later
// The program's file operations on real files: replacing writes that fail
// at every step, appends that fail part-way, links, permissions, pipes,
// devices and the size limit of the editor.
#include "io/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "file_tools.h"
#include "report/report.h"

namespace zentavo {
namespace {

using testing::PipeWatchdog;
using testing::SmallDisk;

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

class FileIo : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zentavo-files-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::vector<std::string> Names(const std::string& folder) const {
        std::vector<std::string> names;
        DIR* d = opendir(folder.c_str());
        while (dirent* e = d ? readdir(d) : nullptr) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        if (d) closedir(d);
        return names;
    }
    std::string dir;
};

// --- Replacing writes ------------------------------------------------------

TEST_F(FileIo, ReplacingWriteCreatesAndReplaces) {
    const std::string path = dir + "/notes.txt";
    WriteFileAtomically(path, "first\r\n");
    EXPECT_EQ(Slurp(path), "first\r\n");
    WriteFileAtomically(path, "second");
    EXPECT_EQ(Slurp(path), "second");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"notes.txt"});
}

TEST_F(FileIo, ReplacingWriteKeepsTheTargetsPermissions) {
    for (mode_t mode : {0600, 0640, 0644, 0755}) {
        const std::string path = dir + "/kept-" + std::to_string(mode);
        Put(path, "old");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        WriteFileAtomically(path, "new");
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(Slurp(path), "new");
    }
    // A new file gets the usual permissions of the process.
    const mode_t old = umask(022);
    WriteFileAtomically(dir + "/new", "x");
    umask(old);
    struct stat st {};
    ASSERT_EQ(stat((dir + "/new").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(FileIo, ReplacingWriteThroughALinkReplacesTheFileItPointsTo) {
    ASSERT_EQ(mkdir((dir + "/real").c_str(), 0755), 0);
    const std::string target = dir + "/real/report.txt";
    Put(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    struct Case {
        std::string link;
        std::string pointsTo;
    } cases[] = {
        {dir + "/absolute.txt", target},
        {dir + "/relative.txt", "real/report.txt"},
        {dir + "/chain.txt", "absolute.txt"},  // a link to a link
    };
    for (const Case& c : cases) {
        ASSERT_EQ(symlink(c.pointsTo.c_str(), c.link.c_str()), 0);
        WriteFileAtomically(c.link, "through " + c.link);
        struct stat st {};
        ASSERT_EQ(lstat(c.link.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << c.link << " stays a link";
        EXPECT_EQ(Slurp(target), "through " + c.link);
        ASSERT_EQ(stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
    }
    EXPECT_EQ(Names(dir + "/real"), std::vector<std::string>{"report.txt"});
    // A link to a missing file: the file is made where the link points.
    ASSERT_EQ(symlink("real/made.txt", (dir + "/dangling.txt").c_str()), 0);
    WriteFileAtomically(dir + "/dangling.txt", "made");
    EXPECT_EQ(Slurp(dir + "/real/made.txt"), "made");
}

// Each step of a replacing write fails in turn: the old file stays byte for
// byte and no temporary file is left.
struct Failure {
    const char* name;
    FileCalls calls;
    const char* reason;
};

ssize_t WriteHalfThenFull(int fd, const void* data, std::size_t size) {
    static thread_local int calls = 0;
    if (size > 1 && ++calls % 2 == 1) return ::write(fd, data, size / 2);
    errno = ENOSPC;
    return -1;
}
int FsyncFails(int) {
    errno = EIO;
    return -1;
}
int RenameFails(const char*, const char*) {
    errno = EXDEV;
    return -1;
}
ssize_t WriteNothing(int, const void*, std::size_t) { return 0; }

TEST_F(FileIo, AFailedReplacingWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const FileCalls& sys = SystemFileCalls();
    const Failure failures[] = {
        {"disk full part-way", {WriteHalfThenFull, sys.fsync, sys.rename, sys.ftruncate, sys.access}, "No space left on device"},
        {"write makes no progress", {WriteNothing, sys.fsync, sys.rename, sys.ftruncate, sys.access}, "No space left on device"},
        {"flush to disk fails", {sys.write, FsyncFails, sys.rename, sys.ftruncate, sys.access}, "Input/output error"},
        {"rename fails", {sys.write, sys.fsync, RenameFails, sys.ftruncate, sys.access}, "Invalid cross-device link"},
    };
    const std::string path = dir + "/report.txt";
    const std::string old = "Equipment class: Switchgear\r\nLevel of PPE: 2\r\n";
    for (const Failure& f : failures) {
        Put(path, old);
        try {
            WriteFileAtomically(path, std::string(100000, 'n'), f.calls);
            ADD_FAILURE() << f.name << ": no error";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + path + "\": " + f.reason) << f.name;
        }
        EXPECT_EQ(Slurp(path), old) << f.name;
        EXPECT_EQ(Names(dir), std::vector<std::string>{"report.txt"}) << f.name;
    }
}

// A file the user may not write is refused although its folder would let a
// rename replace it, and a writable file in a folder the user may not write
// is refused with that reason; the old file stays and no temporary file is
// left. The access check says "no" here, as the system says it to a user
// without the right (as root, every file is writable).
std::string deniedPath;
int DenyOnePath(const char* path, int mode) {
    if (path == deniedPath) {
        errno = EACCES;
        return -1;
    }
    return SystemFileCalls().access(path, mode);
}

TEST_F(FileIo, AReplacingWriteNeedsTheRightToWriteTheFileAndItsFolder) {
    const FileCalls& sys = SystemFileCalls();
    const FileCalls calls{sys.write, sys.fsync, sys.rename, sys.ftruncate, DenyOnePath};
    ASSERT_EQ(mkdir((dir + "/sub").c_str(), 0755), 0);
    const std::string file = dir + "/sub/ro.pdf", link = dir + "/link.pdf";
    ASSERT_EQ(symlink("sub/ro.pdf", link.c_str()), 0);
    struct Case {
        std::string path, denied, message;
    };
    // clang-format off
    const Case cases[] = {
        {file, file,         "Cannot write file \"" + file + "\": Permission denied"},
        {link, file,         "Cannot write file \"" + link + "\": Permission denied"},  // the file a link leads to
        {file, dir + "/sub", "Cannot replace \"" + file + "\": the folder \"" + dir + "/sub\" is not writable"},
        {link, dir + "/sub", "Cannot replace \"" + link + "\": the folder \"" + dir + "/sub\" is not writable"},
    };
    // clang-format on
    for (const Case& c : cases) {
        Put(file, "old labels");
        deniedPath = c.denied;
        try {
            WriteFileAtomically(c.path, "new labels", calls);
            ADD_FAILURE() << c.message << ": written";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(Slurp(file), "old labels") << c.message;
        EXPECT_EQ(Names(dir + "/sub"), std::vector<std::string>{"ro.pdf"}) << c.message;
    }
    // Allowed both, the file is replaced.
    deniedPath.clear();
    WriteFileAtomically(link, "new labels", calls);
    EXPECT_EQ(Slurp(file), "new labels");
}

// A file's fingerprint as read, or as written, tells whether another program
// wrote the file since: a change of its length, its time or only its bytes.
TEST_F(FileIo, AFingerprintTellsAChangeByAnotherProgram) {
    const std::string path = dir + "/plant.csv";
    const std::string old = "point,method\nP1,empirical\n";
    auto keepTime = [&](const std::function<void()>& change) {
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        change();
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    struct Case {
        const char* name;
        std::function<void()> change;
        bool changed;
    };
    // clang-format off
    const Case cases[] = {
        {"untouched",                  [] {},                                                        false},
        {"a row appended",             [&] { Put(path, old + "P2,empirical\n"); },                   true},
        {"same length, same time",     [&] { keepTime([&] { Put(path, "point,method\nP9,empirical\n"); }); },           true},
        {"same bytes, a later time",   [&] { const timespec later[2] = {{UTIME_OMIT, UTIME_OMIT}, {4000000000, 0}};
                                             utimensat(AT_FDCWD, path.c_str(), later, 0); },  true},
        {"removed",                    [&] { unlink(path.c_str()); },                                 false},
    };
    // clang-format on
    for (const bool written : {false, true}) {
        for (const Case& c : cases) {
            Put(path, old);
            FileFingerprint print;
            if (written) {
                print = WriteFileAtomically(path, old);
            } else {
                ASSERT_EQ(ReadFile(path, kEditorFileLimit, "a study window", &print), old);
            }
            c.change();
            EXPECT_EQ(FileChangedSince(path, print), c.changed) << c.name << (written ? " after a write" : " after a read");
        }
    }
    // What a replacing write leaves is what a read of it finds.
    FileFingerprint read;
    const FileFingerprint wrote = WriteFileAtomically(path, old);
    ReadFile(path, kEditorFileLimit, "the editor", &read);
    EXPECT_EQ(wrote, read);
}

TEST_F(FileIo, AFullDiskKeepsTheOldFile) {
    SmallDisk disk(dir + "/disk", 64 * 1024);
    const std::string path = dir + "/disk/report.txt";
    const std::string old(20000, 'o');
    WriteFileAtomically(path, old);
    disk.Limit(30000);
    try {
        WriteFileAtomically(path, std::string(200000, 'n'));
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.reason(), disk.FullReason()) << e.what();
    }
    disk.Unlimit();
    EXPECT_EQ(Slurp(path), old);
    EXPECT_EQ(Names(dir + "/disk"), std::vector<std::string>{"report.txt"});
}

TEST_F(FileIo, ReplacingWriteRefusesWhatIsNotARegularFile) {
    const std::string fifo = dir + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    for (const std::string& path : {fifo, std::string("/dev/null"), std::string("/dev/full")}) {
        try {
            WriteFileAtomically(path, "bytes");
            ADD_FAILURE() << path << ": no error";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), "\"" + path + "\" is not a regular file");
        }
    }
    struct stat st {};
    ASSERT_EQ(stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));  // still the pipe
    EXPECT_EQ(Names(dir), std::vector<std::string>{"pipe"});
}

TEST_F(FileIo, ReplacingWriteFailuresNameTheFileAndTheReason) {
    struct Case {
        std::string path;
        std::string message;
    } cases[] = {
        {dir + "/missing/a.txt", "Cannot create file \"" + dir + "/missing/a.txt\": No such file or directory"},
        {dir, "Cannot create file \"" + dir + "\": Is a directory"},
    };
    for (const Case& c : cases) {
        try {
            WriteFileAtomically(c.path, "x");
            ADD_FAILURE() << c.path;
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

// --- Reading -----------------------------------------------------------------

TEST_F(FileIo, ReadingRefusesPipesAndDevicesWithoutWaiting) {
    const std::string fifo = dir + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    PipeWatchdog watchdog(fifo, 5);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path : {fifo, std::string("/dev/zero"), std::string("/dev/null")}) {
        try {
            ReadFile(path, kEditorFileLimit);
            ADD_FAILURE() << path << ": read";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), "\"" + path + "\" is not a regular file");
        }
    }
    EXPECT_FALSE(watchdog.Stop()) << "opening the pipe blocked";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(FileIo, TheEditorsSizeLimitIsSixtyFourMebibytes) {
    EXPECT_EQ(kEditorFileLimit, 64u * 1024 * 1024);
    const std::string path = dir + "/big.txt";
    // Sparse files: the size is real, the disk holds almost nothing.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(kEditorFileLimit)), 0);
    EXPECT_EQ(ReadFile(path, kEditorFileLimit).size(), kEditorFileLimit);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(kEditorFileLimit) + 1), 0);
    close(fd);
    try {
        ReadFile(path, kEditorFileLimit);
        ADD_FAILURE() << "64 MiB + 1 byte read";
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "\"" + path + "\" is too large to open: the editor opens files of at most 64 MiB.");
    }
    // The limit is the caller's: one byte either side of a small one.
    Put(path, "12345");
    EXPECT_EQ(ReadFile(path, 5), "12345");
    EXPECT_THROW(ReadFile(path, 4), IoError);
}

// --- Appending a report --------------------------------------------------------

TEST_F(FileIo, AFailedAppendCutsTheFileBackToWhatItHeld) {
    const FileCalls& sys = SystemFileCalls();
    const FileCalls fails{WriteHalfThenFull, sys.fsync, sys.rename, sys.ftruncate, sys.access};
    const FileCalls flushFails{sys.write, FsyncFails, sys.rename, sys.ftruncate, sys.access};
    const std::string path = dir + "/report.txt";
    const std::string old = "Equipment class: Switchgear\r\nLevel of PPE: 2\r\n";
    for (const FileCalls* calls : {&fails, &flushFails}) {
        Put(path, old);
        EXPECT_THROW(AppendToFile(path, "\r\nTNT Equivalent (kg): 0.0412\r\n", *calls), IoError);
        EXPECT_EQ(Slurp(path), old);
    }
    // A report the failed append created is gone again.
    const std::string fresh = dir + "/fresh.txt";
    EXPECT_THROW(AppendToFile(fresh, "Level of PPE: 2\r\n", fails), IoError);
    EXPECT_FALSE(FileExists(fresh));
    // The next append adds after the old end, not after a half block.
    Put(path, old);
    AppendToFile(path, "more\r\n");
    EXPECT_EQ(Slurp(path), old + "more\r\n");
}

TEST_F(FileIo, AFullDiskDuringAReportSaveKeepsTheReport) {
    SmallDisk disk(dir + "/disk", 64 * 1024);
    const std::string path = dir + "/disk/report.txt";
    // Larger than a page of memory, so that the append needs new room.
    const std::vector<std::string> block(200, "Incident energy exposure (cal/cm2)(100% arcing current): 7.34");
    SaveReportBlock(path, [&](bool) { return block; });
    const std::string before = Slurp(path);
    disk.Limit(before.size() + 100);
    // Fill the tmpfs so that the block no longer fits.
    if (disk.mounted()) {
        std::ofstream filler(dir + "/disk/filler", std::ios::binary);
        filler << std::string(64 * 1024, 'f');
    }
    try {
        SaveReportBlock(path, [&](bool) { return block; });
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.reason(), disk.FullReason()) << e.what();
    }
    disk.Unlimit();
    EXPECT_EQ(Slurp(path), before);
}

TEST_F(FileIo, AppendRefusesPipesAndDevicesWithoutWaiting) {
    const std::string fifo = dir + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    PipeWatchdog watchdog(fifo, 5);
    for (const std::string& path : {fifo, std::string("/dev/full"), std::string("/dev/null")}) {
        try {
            SaveReportBlock(path, [](bool) { return std::vector<std::string>{"Level of PPE: 2"}; });
            ADD_FAILURE() << path << ": written";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), "\"" + path + "\" is not a regular file");
        }
    }
    EXPECT_FALSE(watchdog.Stop()) << "the append to a pipe blocked";
}

TEST_F(FileIo, AppendFollowsALinkToTheReport) {
    Put(dir + "/report.txt", "a\r\n");
    ASSERT_EQ(symlink("report.txt", (dir + "/link.txt").c_str()), 0);
    AppendToFile(dir + "/link.txt", "b\r\n");
    EXPECT_EQ(Slurp(dir + "/report.txt"), "a\r\nb\r\n");
}

}  // namespace
}  // namespace zentavo
