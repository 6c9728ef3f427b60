// Stands in for the emulator when the benchmark presses Run/Play: reads the clock first thing and writes
// that stamp, as one line, into its last argument, the "ROM": a FIFO the benchmark reads. Linked
// statically, so the stamp shows Mivo's part of a start and not this program's own dynamic loading.

#include "Probe.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    const std::int64_t started = mivo::bench::nanoseconds();
    // Non-blocking: with nobody reading, it ends instead of hanging on the FIFO.
    const int fd = argc < 2 ? -1 : ::open(argv[argc - 1], O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    char line[32];
    const int length = std::snprintf(line, sizeof line, "%lld\n", static_cast<long long>(started));
    const bool written = fd >= 0 && ::write(fd, line, static_cast<std::size_t>(length)) == length;
    return written && ::close(fd) == 0 ? 0 : 1;
}
