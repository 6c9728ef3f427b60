#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace mivo {

// Tells when the system wants Mivo to end: logout or shutdown (SIGTERM, or the session manager's
// request to save), the terminal closing (SIGHUP) or Ctrl+C (SIGINT). The signals are only noted in
// their handler and reported later from the event loop, where anything may be done safely. One
// watcher at a time; while it lives these signals no longer end the process by themselves.
class SystemEndWatcher : public QObject {
    Q_OBJECT

public:
    explicit SystemEndWatcher(QObject* parent = nullptr);
    ~SystemEndWatcher() override;

    SystemEndWatcher(const SystemEndWatcher&) = delete;
    SystemEndWatcher& operator=(const SystemEndWatcher&) = delete;

signals:
    void endRequested();

private:
    void drain();

    static constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT};

    std::array<int, 2> m_pipe{-1, -1}; // read end, write end
    QSocketNotifier* m_notifier = nullptr;
    std::array<struct sigaction, kEndSignals.size()> m_previous{};
};

} // namespace mivo
