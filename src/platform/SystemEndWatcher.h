#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace mivo {

// Tells when the system wants Mivo to end: logout or shutdown (SIGTERM, or the session manager's end
// of the session), the terminal closing (SIGHUP) or Ctrl+C (SIGINT); and when the session manager only
// asks for what is to be kept, which it does for a checkpoint too and before a logout the user may
// still cancel. The signals are only noted in their handler and reported later from the event loop,
// where anything may be done safely. One watcher at a time; while it lives these signals no longer end
// the process by themselves, and nothing else may quit the application behind Mivo's back.
class SystemEndWatcher : public QObject {
    Q_OBJECT

public:
    explicit SystemEndWatcher(QObject* parent = nullptr);
    ~SystemEndWatcher() override;

    SystemEndWatcher(const SystemEndWatcher&) = delete;
    SystemEndWatcher& operator=(const SystemEndWatcher&) = delete;

signals:
    void endRequested();
    void saveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drain();

    static constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT};

    std::array<int, 2> m_pipe{}; // read end, write end; open only once m_notifier is set
    QSocketNotifier* m_notifier = nullptr;
    std::array<struct sigaction, kEndSignals.size()> m_previous{};
};

} // namespace mivo
