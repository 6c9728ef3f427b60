#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <sys/types.h>

class QSocketNotifier;
class QTimer;

namespace mivo {

// Watches one program Mivo started as its child: reaps it whenever it ends, passes what it writes on its
// standard error on to Mivo's own, and tells when it failed within `watchTime` of its start. It never
// signals the program and never waits on it. It deletes itself once the program has ended and its
// standard error is closed; if Mivo ends first, the program simply goes on.
class StartedProgramWatch final : public QObject {
    Q_OBJECT

public:
    // Takes over `errorReader`, the read end of the program's standard error, or -1 when there is none.
    StartedProgramWatch(pid_t pid, int errorReader, std::chrono::milliseconds watchTime);
    ~StartedProgramWatch() override;

    StartedProgramWatch(const StartedProgramWatch&) = delete;
    StartedProgramWatch& operator=(const StartedProgramWatch&) = delete;

signals:
    void failedEarly(const QString& howItEnded, const QStringList& lastErrorLines);

private:
    void readErrors();
    void keepLines(const QByteArray& chunk);
    [[nodiscard]] QStringList lastErrorLines() const;
    void reapIfEnded();
    void closeEndWatch();
    void closeErrorReader();
    void deleteWhenDone();

    pid_t m_pid;
    int m_endFd = -1; // a pidfd: readable once the program has ended
    int m_errorReader;
    QSocketNotifier* m_endNotifier = nullptr;
    QTimer* m_endPoll = nullptr; // only where the kernel has no pidfd
    QSocketNotifier* m_errorNotifier = nullptr;
    QDeadlineTimer m_watchEnds;
    QStringList m_lines;
    QByteArray m_partialLine;
    bool m_reaped = false;
};

} // namespace mivo
