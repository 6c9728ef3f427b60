#pragma once

#include "platform/FileDescriptor.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <optional>
#include <sys/types.h>

class QSocketNotifier;

namespace mivo {

// Watches one program Mivo started as its child: reaps it whenever it ends, and tells when it failed
// within `watchTime` of its start, with the last lines of its standard error, which an ErrorRelay copies
// to `errorCopies`. It never signals the program and never waits on it. Once the watch time is over it
// holds nothing but what tells it the program's end, and it deletes itself once the program has ended
// and nothing is left to tell; if Mivo ends first, the program simply goes on.
class StartedProgramWatch final : public QObject {
    Q_OBJECT

public:
    StartedProgramWatch(pid_t pid, std::chrono::milliseconds watchTime,
                        std::optional<FileDescriptor> errorCopies, QObject* parent);
    ~StartedProgramWatch() override;

    StartedProgramWatch(const StartedProgramWatch&) = delete;
    StartedProgramWatch& operator=(const StartedProgramWatch&) = delete;

signals:
    void failedEarly(const QString& howItEnded, const QStringList& lastErrorLines);

private:
    void readErrorCopies();
    void keepLines(const QByteArray& chunk);
    [[nodiscard]] QStringList lastErrorLines() const;
    void reapEnded();
    void timeIsUp();
    void stopCopies();
    void finishWhenDone();

    const pid_t m_pid;
    std::optional<FileDescriptor> m_end; // a pidfd: readable once the program has ended
    QSocketNotifier* m_endNotifier = nullptr;
    std::optional<FileDescriptor> m_errorCopies;
    QSocketNotifier* m_copiesNotifier = nullptr;
    // Runs for the watch time, then, once the program has failed, for as long as its last lines may take
    QTimer m_timer;
    bool m_ended = false;
    std::optional<QString> m_failure; // how the program ended, while its last lines are still to come
    QStringList m_lines;
    QByteArray m_partialLine;
};

} // namespace mivo
