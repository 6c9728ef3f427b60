#include "platform/StartedProgramWatch.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>

namespace mivo {
namespace {

constexpr qsizetype kKeptLines = 10;
constexpr qsizetype kLongestLine = 500; // bytes of one line kept for the message; the rest still goes on
// How long a failure waits for its last lines. The relay copies them as soon as it learns of the end,
// unless whatever takes Mivo's standard error holds it up: then the failure is told with what came.
constexpr std::chrono::seconds kLastLinesWait{2};

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

StartedProgramWatch::StartedProgramWatch(pid_t pid, std::chrono::milliseconds watchTime,
                                         std::optional<FileDescriptor> errorCopies, QObject* parent)
    : QObject(parent)
    , m_pid(pid)
    , m_errorCopies(std::move(errorCopies)) {
    // A pidfd tells the end without SIGCHLD: no handler of Mivo's or Qt's is involved, and Qt's own
    // QProcess children are never touched because only this pid is ever waited for. A kernel without
    // pidfds (before Linux 5.3) leaves the end unwatched: the program runs all the same.
    if (const int end = openPidfd(pid); end != -1) {
        m_end.emplace(end);
        m_endNotifier = new QSocketNotifier(end, QSocketNotifier::Read, this);
        connect(m_endNotifier, &QSocketNotifier::activated, this, &StartedProgramWatch::reapEnded);
    }
    if (m_errorCopies) {
        m_copiesNotifier = new QSocketNotifier(m_errorCopies->get(), QSocketNotifier::Read, this);
        connect(m_copiesNotifier, &QSocketNotifier::activated, this, &StartedProgramWatch::readErrorCopies);
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &StartedProgramWatch::timeIsUp);
    m_timer.start(watchTime);
}

StartedProgramWatch::~StartedProgramWatch() = default;

void StartedProgramWatch::readErrorCopies() {
    std::array<char, 65536> buffer;
    const ssize_t size = ::read(m_errorCopies->get(), buffer.data(), buffer.size());
    if (size == -1 && (errno == EAGAIN || errno == EINTR))
        return;
    if (size <= 0) { // the relay has copied all it will
        stopCopies();
        finishWhenDone();
        return;
    }
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
    m_end.reset();
    m_ended = true;
    // Without WUNTRACED, the status is 0 exactly when the program exited with status 0.
    if (status != 0 && m_timer.isActive()) {
        m_failure = describeEnd(status);
        if (m_errorCopies) {
            // What the program wrote just before its end may still be in the relay's pipe: the relay copies
            // it once it sees this, and then closes the copy.
            ::shutdown(m_errorCopies->get(), SHUT_WR);
            m_timer.start(kLastLinesWait);
        }
    } else {
        stopCopies();
    }
    finishWhenDone();
}

// The watch time is over, or a failure's last lines took too long to come.
void StartedProgramWatch::timeIsUp() {
    stopCopies();
    finishWhenDone();
}

void StartedProgramWatch::stopCopies() {
    if (!m_errorCopies)
        return;
    m_copiesNotifier->setEnabled(false);
    m_errorCopies.reset();
}

// Without a pidfd the end is never known, and the watch stays until Mivo ends, holding nothing. Everything
// is done before the failure is told: its receiver may show a message box, whose event loop can delete
// this watch before the emit returns.
void StartedProgramWatch::finishWhenDone() {
    if (!m_ended || m_errorCopies)
        return;
    m_timer.stop();
    const std::optional<QString> failure = std::exchange(m_failure, std::nullopt);
    const QStringList lines = lastErrorLines();
    deleteLater();
    if (failure)
        emit failedEarly(*failure, lines);
}

} // namespace mivo
