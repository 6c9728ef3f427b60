#include "platform/StartedProgramWatch.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <type_traits>
#include <unistd.h>

namespace mivo {
namespace {

constexpr qsizetype kKeptLines = 10;
constexpr qsizetype kLongestLine = 500; // bytes of one line kept for the message; the rest still goes on
constexpr std::chrono::milliseconds kEndPollInterval{100};
constexpr int kChunksAtOnce = 16; // a program that writes without pause still leaves the window its turn

QString describeEnd(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const char* abbreviation = ::sigabbrev_np(signal);
        const QString name = abbreviation ? QStringLiteral("SIG") + QString::fromLatin1(abbreviation)
                                          : QString::number(signal);
        return QCoreApplication::translate("StartedProgramWatch", "signal %1 (%2)")
            .arg(name, QString::fromLocal8Bit(::strsignal(signal)));
    }
    return QCoreApplication::translate("StartedProgramWatch", "exit status %1").arg(WEXITSTATUS(status));
}

// Through syscall(): glibc's own wrapper is recent, and its header not fit for C++ before 2.37.
int openPidfd(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

// Stopped now, gone once the signal that led here is over; the descriptor it watched may close at once.
template <typename Watcher> void retire(Watcher*& watcher) {
    if (watcher == nullptr)
        return;
    if constexpr (std::is_same_v<Watcher, QTimer>)
        watcher->stop();
    else
        watcher->setEnabled(false);
    watcher->deleteLater();
    watcher = nullptr;
}

bool failed(int status) {
    return WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0);
}

// Mivo's standard error is where the program's own went before it was watched; a user at a terminal
// keeps seeing it there. What cannot be written is dropped rather than held.
void passOn(const char* bytes, ssize_t size) {
    while (size > 0) {
        const ssize_t written = ::write(STDERR_FILENO, bytes, static_cast<std::size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes += written;
        size -= written;
    }
}

} // namespace

StartedProgramWatch::StartedProgramWatch(pid_t pid, int errorReader, std::chrono::milliseconds watchTime)
    : m_pid(pid)
    , m_endFd(openPidfd(pid))
    , m_errorReader(errorReader)
    , m_watchEnds(watchTime) {
    // A pidfd tells the end without SIGCHLD: no handler of Mivo's or Qt's is involved, and Qt's own
    // QProcess children, tracked by forkfd, are never touched because only this pid is ever waited for.
    if (m_endFd >= 0) {
        m_endNotifier = new QSocketNotifier(m_endFd, QSocketNotifier::Read, this);
        connect(m_endNotifier, &QSocketNotifier::activated, this, &StartedProgramWatch::reapIfEnded);
    } else {
        m_endPoll = new QTimer(this);
        connect(m_endPoll, &QTimer::timeout, this, &StartedProgramWatch::reapIfEnded);
        m_endPoll->start(kEndPollInterval);
    }
    if (m_errorReader >= 0) {
        m_errorNotifier = new QSocketNotifier(m_errorReader, QSocketNotifier::Read, this);
        connect(m_errorNotifier, &QSocketNotifier::activated, this, &StartedProgramWatch::readErrors);
    }
}

StartedProgramWatch::~StartedProgramWatch() {
    closeEndWatch();
    closeErrorReader();
}

void StartedProgramWatch::readErrors() {
    char buffer[4096];
    for (int chunk = 0; chunk < kChunksAtOnce; ++chunk) {
        const ssize_t size = ::read(m_errorReader, buffer, sizeof buffer);
        if (size < 0 && errno == EINTR)
            continue;
        if (size < 0 && errno == EAGAIN)
            return;
        if (size <= 0) { // every writer is gone
            closeErrorReader();
            deleteWhenDone();
            return;
        }
        passOn(buffer, size);
        if (!m_watchEnds.hasExpired())
            keepLines(QByteArray::fromRawData(buffer, size));
    }
}

void StartedProgramWatch::keepLines(const QByteArray& chunk) {
    for (qsizetype from = 0;;) {
        const qsizetype end = chunk.indexOf('\n', from);
        const qsizetype size = (end < 0 ? chunk.size() : end) - from;
        m_partialLine += chunk.sliced(from, std::min(size, kLongestLine - m_partialLine.size()));
        if (end < 0)
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

void StartedProgramWatch::reapIfEnded() {
    int status = 0;
    pid_t reaped = 0;
    do
        reaped = ::waitpid(m_pid, &status, WNOHANG);
    while (reaped < 0 && errno == EINTR);
    if (reaped == 0)
        return;
    m_reaped = true;
    closeEndWatch();
    // Reaped elsewhere (SIGCHLD set to be ignored by whoever started Mivo): the end is not known.
    if (reaped > 0 && failed(status) && !m_watchEnds.hasExpired()) {
        if (m_errorReader >= 0)
            readErrors(); // what it wrote just before its end may still wait in the pipe
        emit failedEarly(describeEnd(status), lastErrorLines());
    }
    deleteWhenDone();
}

void StartedProgramWatch::closeEndWatch() {
    retire(m_endNotifier);
    retire(m_endPoll);
    if (m_endFd >= 0)
        ::close(m_endFd);
    m_endFd = -1;
}

void StartedProgramWatch::closeErrorReader() {
    retire(m_errorNotifier);
    if (m_errorReader >= 0)
        ::close(m_errorReader);
    m_errorReader = -1;
}

void StartedProgramWatch::deleteWhenDone() {
    if (m_reaped && m_errorReader < 0)
        deleteLater();
}

} // namespace mivo
