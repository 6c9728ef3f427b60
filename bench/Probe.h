#pragma once

// What every process of the benchmark reads about itself, with plain system calls only: the stand-in
// links nothing else, and the first-frame report is taken inside a paint event, where nothing should
// allocate.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace mivo::bench {

// One clock for all processes, so that a stamp taken in a child compares directly with one taken here.
inline std::int64_t monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// CPU time this thread has used, user and system, which leaves out every wait for another process.
inline std::int64_t threadCpuNanoseconds() {
    timespec used{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return std::int64_t{used.tv_sec} * 1'000'000'000 + used.tv_nsec;
}

// VmRSS of this process in KiB, or -1 when /proc cannot tell.
inline long residentKiB() {
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    char status[8192];
    const ssize_t length = ::read(fd, status, sizeof status - 1);
    ::close(fd);
    if (length <= 0)
        return -1;
    status[length] = '\0';
    const char* line = std::strstr(status, "VmRSS:");
    return line != nullptr ? std::strtol(line + 6, nullptr, 10) : -1;
}

} // namespace mivo::bench
