#include "platform/SystemEndWatcher.h"

#include <QEvent>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace mivo {
namespace {

// A signal handler can reach nothing but globals: this holds the write end of the pipe of the watcher
// whose handler is installed, and nothing else.
std::atomic<int> g_wakeUpFd; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

extern "C" void noteEndSignal(int /*signal*/) {
    // Only async-signal-safe calls here; the event loop does the rest.
    const int savedErrno = errno;
    const char byte{}; // what it says does not matter, only that it comes
    [[maybe_unused]] const ssize_t written = ::write(g_wakeUpFd.load(), &byte, 1);
    errno = savedErrno;
}

} // namespace

SystemEndWatcher::SystemEndWatcher(QObject* parent)
    : QObject(parent) {
    // Non-blocking, so that a burst of signals can never stall the handler on a full pipe.
    if (::pipe2(m_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_wakeUpFd.store(m_pipe[1]);
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SystemEndWatcher::drain);

    struct sigaction action {}; // no signal blocked while the handler runs
    action.sa_handler = noteEndSignal;
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i)
        ::sigaction(kEndSignals.at(i), &action, &m_previous.at(i));

    // The session's end comes as a request to quit the application, which would close the main window
    // as if the user had; it is the system's end instead.
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
#ifndef QT_NO_SESSIONMANAGER
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this, &SystemEndWatcher::saveRequested);
#endif
}

bool SystemEndWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit)
        return false;
    emit endRequested();
    return true;
}

SystemEndWatcher::~SystemEndWatcher() {
    if (m_notifier == nullptr)
        return;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i)
        ::sigaction(kEndSignals.at(i), &m_previous.at(i), nullptr);
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void SystemEndWatcher::drain() {
    // Several signals may have come at once; they ask for one and the same thing. A read that does not
    // fill the buffer has emptied the pipe.
    std::array<char, 64> bytes{};
    while (::read(m_pipe[0], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
    }
    emit endRequested();
}

} // namespace mivo
