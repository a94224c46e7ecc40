// SPDX-License-Identifier: GPL-3.0-or-later
// Tools of the file tests: a full disk, a named pipe that cannot hang a test.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace zentavo::testing {

// A folder on a disk with `bytes` of room: a tmpfs of that size where the
// test may mount one (as root), else the folder itself under a file size
// limit of `bytes` for this process, which makes writes fail the same way
// ("File too large" instead of "No space left on device").
class SmallDisk {
public:
    SmallDisk(const std::string& folder, std::size_t bytes) : folder_(folder) {
        ::mkdir(folder.c_str(), 0755);
        const std::string size = "size=" + std::to_string(bytes);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) == 0;
    }
    ~SmallDisk() {
        Unlimit();
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    // From now on the disk is full beyond `bytes` written to one file (the
    // file size limit; a tmpfs is full by itself).
    void Limit(std::size_t bytes) {
        if (mounted_) return;
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = bytes;
        limited_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    void Unlimit() {
        if (limited_) setrlimit(RLIMIT_FSIZE, &old_);
        limited_ = false;
    }
    bool mounted() const { return mounted_; }
    // The reason a write gives when the disk is full.
    const char* FullReason() const { return mounted_ ? "No space left on device" : "File too large"; }

private:
    std::string folder_;
    bool mounted_ = false;
    bool limited_ = false;
    rlimit old_{};
};

// Guards an operation on a named pipe: when it has not returned after
// `seconds`, the guard opens the pipe's other end (and drains it), so that
// a blocked open, read or write returns, and records that it had to. The
// test then fails instead of hanging.
class PipeWatchdog {
public:
    PipeWatchdog(std::string fifo, int seconds) : fifo_(std::move(fifo)) {
        thread_ = std::thread([this, seconds] {
            std::unique_lock lock(mutex_);
            if (cv_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) return;
            fired_ = true;
            const int fd = ::open(fifo_.c_str(), O_RDWR | O_NONBLOCK);
            char buf[4096];
            for (int i = 0; i < 200 && !done_; ++i) {
                while (fd >= 0 && ::read(fd, buf, sizeof buf) > 0) {}
                cv_.wait_for(lock, std::chrono::milliseconds(10), [this] { return done_; });
            }
            if (fd >= 0) ::close(fd);
        });
    }
    ~PipeWatchdog() { Stop(); }
    // Ends the guard; true when the operation blocked.
    bool Stop() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        cv_.notify_all();
        if (thread_.joinable()) thread_.join();
        return fired_;
    }

private:
    std::string fifo_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

}  // namespace zentavo::testing
