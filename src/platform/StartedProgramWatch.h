#pragma once

#include "platform/FileDescriptor.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <optional>
#include <sys/types.h>

class QSocketNotifier;

namespace mivo {

// Watches one program Mivo starts as its child: reaps it whenever it ends, passes what it writes on its
// standard error on to Mivo's own, and tells when it failed within `watchTime` of its start. It never
// signals the program and never waits on it. It deletes itself once the program has ended and its
// standard error is closed; if Mivo ends first, the program simply goes on.
//
// The watch is made before the program, whose standard error is the watch's pipe: its write end is
// non-blocking, so a full pipe makes the program's writes fail rather than stall it, and the program
// also holds a copy of the read end, so the pipe keeps a reader for as long as the program lives, Mivo
// or no Mivo, and a write into it never raises SIGPIPE. Once Mivo is gone, what the program writes there
// fills the pipe and is then lost, which a log file would not lose but which can never fill a disk.
class StartedProgramWatch final : public QObject {
    Q_OBJECT

public:
    explicit StartedProgramWatch(std::chrono::milliseconds watchTime);
    ~StartedProgramWatch() override;

    StartedProgramWatch(const StartedProgramWatch&) = delete;
    StartedProgramWatch& operator=(const StartedProgramWatch&) = delete;

    // The pipe's ends for the program, or nothing where no pipe could be made: the program then writes
    // where Mivo's standard error goes, and only its end is known.
    struct ErrorPipe {
        int reader;
        int writer;
    };
    [[nodiscard]] std::optional<ErrorPipe> errorPipe() const;

    // Starts watching `pid`, started with the pipe above as its standard error.
    void watch(pid_t pid);

signals:
    void failedEarly(const QString& howItEnded, const QStringList& lastErrorLines);

private:
    void readErrors();
    void keepLines(const QByteArray& chunk);
    [[nodiscard]] QStringList lastErrorLines() const;
    void reapEnded();
    void closeErrors();
    void deleteWhenDone();

    pid_t m_pid = 0;
    std::optional<FileDescriptor> m_errorReader;
    std::optional<FileDescriptor> m_errorWriter; // let go once the program holds its own copy
    std::optional<FileDescriptor> m_end;         // a pidfd: readable once the program has ended
    QSocketNotifier* m_endNotifier = nullptr;
    QSocketNotifier* m_errorNotifier = nullptr;
    QDeadlineTimer m_watchEnds;
    QStringList m_lines;
    QByteArray m_partialLine;
};

} // namespace mivo
