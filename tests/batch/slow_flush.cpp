// SPDX-License-Identifier: GPL-3.0-or-later
// A disk that takes a minute to flush a file to it, as a slow drive might:
// preloaded into zentavo-batch by the PDF tests, so that a signal reaches
// the program while the temporary file of its PDF exists.
#include <dlfcn.h>
#include <time.h>

extern "C" __attribute__((visibility("default"))) int fsync(int fd) {
    using Fsync = int (*)(int);
    static const Fsync real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    timespec minute{60, 0};
    nanosleep(&minute, nullptr);
    return real(fd);
}
