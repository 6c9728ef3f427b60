#include "platform/ErrorRelay.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <span>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>

namespace mivo {
namespace {

// The relay's descriptors besides its standard error, which is Mivo's.
constexpr int kProgramErrors = 3; // the reading end of the program's standard error
constexpr int kCopies = 4;        // the relay's end of Mivo's socket

// All that follows up to ErrorRelay::start runs in the relay, a fork of a Mivo with several threads: system
// calls only, no allocation, no lock.

// Blocks as long as the destination does; what it refuses for good is dropped.
void passOn(std::span<const char> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDERR_FILENO, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        } else if (written == -1 && errno == EAGAIN) { // a destination someone made non-blocking
            pollfd room{STDERR_FILENO, POLLOUT, 0};
            ::poll(&room, 1, -1);
        } else if (written == 0 || errno != EINTR) {
            return;
        }
    }
}

class Relay {
public:
    [[noreturn]] void run() {
        for (;;) {
            std::array<pollfd, 2> ready{{{kProgramErrors, POLLIN, 0}, {m_copying ? kCopies : -1, POLLIN, 0}}};
            if (::poll(ready.data(), ready.size(), -1) == -1)
                continue;
            if (ready[1].revents != 0) // Mivo never writes: this is its end of listening
                copyWhatIsWrittenAndStop();
            else if (ready[0].revents != 0 && !relayOnce(m_buffer.size()))
                ::_exit(0); // every writer is gone
        }
    }

private:
    // Mivo has reaped the program, or stopped watching it, or ended: what the program wrote before its end
    // is in the pipe by now, and what comes later is no longer Mivo's concern.
    void copyWhatIsWrittenAndStop() {
        int waiting = 0;
        if (::ioctl(kProgramErrors, FIONREAD, &waiting) == -1)
            waiting = 0;
        while (waiting > 0 && m_copying) {
            const std::size_t size = std::min(static_cast<std::size_t>(waiting), m_buffer.size());
            if (!relayOnce(size))
                break;
            waiting -= static_cast<int>(size); // a read cut short leaves the rest unread, and so uncopied
        }
        stopCopying();
    }

    // Passes on one read of at most `size` bytes, after a copy to Mivo that never waits on it. False once
    // every writer is gone.
    bool relayOnce(std::size_t size) {
        const ssize_t got = ::read(kProgramErrors, m_buffer.data(), size);
        if (got <= 0)
            return got == -1 && errno == EINTR;
        const std::span<const char> bytes(m_buffer.data(), static_cast<std::size_t>(got));
        if (m_copying && ::send(kCopies, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL) == -1 &&
            errno != EAGAIN)
            stopCopying();
        passOn(bytes);
        return true;
    }

    void stopCopying() {
        if (m_copying)
            ::close(kCopies);
        m_copying = false;
    }

    bool m_copying = true;
    std::array<char, 65536> m_buffer{}; // what a pipe holds unless its program made it larger
};

void closeDescriptors(int first, int last, int highest) {
    if (first > last)
        return;
    if (::syscall(SYS_close_range, static_cast<unsigned>(first), static_cast<unsigned>(last), 0) == 0)
        return;
    for (int descriptor = first; descriptor <= std::min(last, highest); ++descriptor) // before Linux 5.9
        ::close(descriptor);
}

// `kept` are Mivo's standard error, `programErrors` and `copies`, in ascending order.
[[noreturn]] void becomeRelay(int programErrors, int copies, const std::array<int, 3>& kept, int highest) {
    // A session of its own, out of reach of what the terminal sends Mivo's process group.
    ::setsid();
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    for (const int signal : {SIGHUP, SIGINT, SIGTERM, SIGPIPE})
        ::sigaction(signal, &ignore, nullptr);
    ::prctl(PR_SET_NAME, "mivo-relay"); // seen in ps and top, and by pkill: not Mivo itself
    int from = 0;
    for (const int descriptor : kept) {
        closeDescriptors(from, descriptor - 1, highest);
        from = descriptor + 1;
    }
    closeDescriptors(from, INT_MAX, highest);
    // Above the places they go to, so that neither lands on the other.
    const int programErrorsAbove = ::fcntl(programErrors, F_DUPFD, kCopies + 1);
    const int copiesAbove = ::fcntl(copies, F_DUPFD, kCopies + 1);
    ::dup2(programErrorsAbove, kProgramErrors);
    ::dup2(copiesAbove, kCopies);
    closeDescriptors(kCopies + 1, INT_MAX, highest);
    Relay().run();
}

} // namespace

std::optional<ErrorRelay> ErrorRelay::start() {
    if (::fcntl(STDERR_FILENO, F_GETFD) == -1) // no standard error to carry the program's on to
        return std::nullopt;
    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC) == -1)
        return std::nullopt;
    FileDescriptor reader(pipe[0]);
    FileDescriptor writer(pipe[1]);
    std::array<int, 2> sockets{};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets.data()) == -1)
        return std::nullopt;
    FileDescriptor mivoSide(sockets[0]);
    const FileDescriptor relaySide(sockets[1]);
    std::array<int, 3> kept{STDERR_FILENO, reader.get(), relaySide.get()};
    std::ranges::sort(kept);
    rlimit limit{};
    const int highest = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < INT_MAX
                            ? static_cast<int>(limit.rlim_cur) - 1
                            : 65535;
    // Forked twice, so that the relay is no child of Mivo's and whoever adopts orphans reaps it.
    const pid_t between = ::fork();
    if (between == 0) {
        const pid_t relay = ::_Fork();
        if (relay == 0)
            becomeRelay(reader.get(), relaySide.get(), kept, highest);
        ::_exit(relay == -1 ? 1 : 0);
    }
    if (between == -1)
        return std::nullopt;
    // Stays 0 where whoever started Mivo had it ignore SIGCHLD: the system reaps that child, and the
    // second fork, which rarely fails where the first did not, is taken to have worked.
    int status = 0;
    while (::waitpid(between, &status, 0) == -1 && errno == EINTR) {
    }
    if (status != 0)
        return std::nullopt;
    return ErrorRelay{std::move(writer), std::move(mivoSide)};
}

} // namespace mivo
