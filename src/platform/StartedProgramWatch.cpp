#include "platform/StartedProgramWatch.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>

namespace mivo {
namespace {

constexpr qsizetype kKeptLines = 10;
constexpr qsizetype kLongestLine = 500; // bytes of one line kept for the message; the rest still goes on

QString describeEnd(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const char* abbreviation = ::sigabbrev_np(signal);
        const QString name = abbreviation ? QStringLiteral("SIG") + QString::fromLatin1(abbreviation)
                                          : QString::number(signal);
        return StartedProgramWatch::tr("signal %1 (%2)")
            .arg(name, QString::fromLocal8Bit(::strsignal(signal)));
    }
    return StartedProgramWatch::tr("exit status %1").arg(WEXITSTATUS(status));
}

// Through syscall(): glibc's own wrapper is recent, and its header not fit for C++ before 2.37.
int openPidfd(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

} // namespace

StartedProgramWatch::StartedProgramWatch(std::chrono::milliseconds watchTime)
    : m_watchEnds(watchTime) {
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) == 0) {
        m_errorReader.emplace(ends[0]);
        m_errorWriter.emplace(ends[1]);
    }
}

StartedProgramWatch::~StartedProgramWatch() = default;

std::optional<StartedProgramWatch::ErrorPipe> StartedProgramWatch::errorPipe() const {
    if (!m_errorWriter)
        return std::nullopt;
    return ErrorPipe{m_errorReader->get(), m_errorWriter->get()};
}

void StartedProgramWatch::watch(pid_t pid) {
    m_pid = pid;
    m_errorWriter.reset();
    // A pidfd tells the end without SIGCHLD: no handler of Mivo's or Qt's is involved, and Qt's own
    // QProcess children are never touched because only this pid is ever waited for. A kernel without
    // pidfds (before Linux 5.3) leaves the end unwatched: the program runs all the same.
    if (const int end = openPidfd(pid); end != -1) {
        m_end.emplace(end);
        m_endNotifier = new QSocketNotifier(end, QSocketNotifier::Read, this);
        connect(m_endNotifier, &QSocketNotifier::activated, this, &StartedProgramWatch::reapEnded);
    }
    if (m_errorReader) {
        m_errorNotifier = new QSocketNotifier(m_errorReader->get(), QSocketNotifier::Read, this);
        connect(m_errorNotifier, &QSocketNotifier::activated, this, &StartedProgramWatch::readErrors);
    }
}

// Mivo's standard error is where the program's own went before it was watched, so a user at a terminal
// keeps seeing it there; what cannot be written is dropped rather than held.
void StartedProgramWatch::readErrors() {
    std::array<char, 65536> buffer; // what a pipe holds unless its program made it larger
    const ssize_t size = ::read(m_errorReader->get(), buffer.data(), buffer.size());
    if (size < 0 && errno == EAGAIN)
        return;
    if (size <= 0) { // every writer is gone
        closeErrors();
        return;
    }
    std::fwrite(buffer.data(), 1, static_cast<std::size_t>(size), stderr);
    if (!m_watchEnds.hasExpired())
        keepLines(QByteArray::fromRawData(buffer.data(), size));
}

void StartedProgramWatch::keepLines(const QByteArray& chunk) {
    for (qsizetype from = 0;;) {
        const qsizetype end = chunk.indexOf('\n', from);
        const qsizetype size = (end == -1 ? chunk.size() : end) - from;
        m_partialLine += chunk.sliced(from, std::min(size, kLongestLine - m_partialLine.size()));
        if (end == -1)
            return;
        if (const QString line = QString::fromLocal8Bit(m_partialLine).trimmed(); !line.isEmpty())
            m_lines.append(line);
        m_partialLine.clear();
        if (m_lines.size() > kKeptLines)
            m_lines.removeFirst();
        from = end + 1;
    }
}

QStringList StartedProgramWatch::lastErrorLines() const {
    QStringList lines = m_lines;
    if (!m_partialLine.trimmed().isEmpty())
        lines.append(QString::fromLocal8Bit(m_partialLine).trimmed());
    return lines.mid(std::max<qsizetype>(0, lines.size() - kKeptLines));
}

// A pidfd turns readable only once its program has ended, so this always reaps it.
void StartedProgramWatch::reapEnded() {
    // Stays 0, nothing to tell, where the program was reaped before: whoever started Mivo had it ignore
    // SIGCHLD, which makes the system reap every child at once.
    int status = 0;
    ::waitpid(m_pid, &status, WNOHANG);
    m_endNotifier->setEnabled(false);
    // Without WUNTRACED, the status is 0 exactly when the program exited with status 0.
    if (status != 0 && !m_watchEnds.hasExpired()) {
        if (m_errorReader)
            readErrors(); // what it wrote just before its end may still wait in the pipe
        emit failedEarly(describeEnd(status), lastErrorLines());
    }
    deleteWhenDone();
}

void StartedProgramWatch::closeErrors() {
    m_errorNotifier->setEnabled(false);
    m_errorReader.reset();
    deleteWhenDone();
}

// Without a pidfd the end is never known, and the watch stays until Mivo ends.
void StartedProgramWatch::deleteWhenDone() {
    if (m_endNotifier && !m_endNotifier->isEnabled() && !m_errorReader)
        deleteLater();
}

} // namespace mivo
