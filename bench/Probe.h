#pragma once

// What every process of the benchmark reads about itself, with plain system calls only: the stand-in
// links nothing else, and the first-frame report is taken in a paint event, where nothing should allocate.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace mivo::bench {

// CLOCK_MONOTONIC is one clock for all processes; CLOCK_THREAD_CPUTIME_ID leaves out waiting for others.
inline std::int64_t nanoseconds(clockid_t clock = CLOCK_MONOTONIC) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// A figure in KiB from this process's /proc status (resident memory "VmRSS:", its peak "VmHWM:"), or -1
// when /proc cannot tell.
inline long statusKiB(const char* field) {
    char status[8192] = {};
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::read(fd, status, sizeof status - 1) <= 0 || ::close(fd) != 0)
        return -1;
    const char* line = std::strstr(status, field);
    return line != nullptr ? std::strtol(line + std::strlen(field), nullptr, 10) : -1;
}

} // namespace mivo::bench
