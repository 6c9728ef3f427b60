// Stands in for the emulator when the benchmark presses Run/Play. Reading the clock is the first thing
// it does; it then writes that stamp, as one line, into the file named by its last argument: the "ROM"
// the benchmark chose, which is a FIFO the benchmark reads. It is linked statically, so that what the
// stamp shows is Mivo's part of a start and not this program's own dynamic loading.

#include "Probe.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    const std::int64_t started = mivo::bench::monotonicNanoseconds();
    if (argc < 2)
        return 0;
    // Non-blocking: with nobody reading any more, the stand-in ends instead of hanging on the FIFO.
    const int fd = ::open(argv[argc - 1], O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 1;
    char line[32];
    const int length = std::snprintf(line, sizeof line, "%lld\n", static_cast<long long>(started));
    const bool written = ::write(fd, line, static_cast<std::size_t>(length)) == length;
    ::close(fd);
    return written ? 0 : 1;
}
