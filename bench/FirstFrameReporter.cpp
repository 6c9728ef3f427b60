#include "FirstFrameReporter.h"

#include "Probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace mivo::bench {

bool FirstFrameReporter::eventFilter(QObject* watched, QEvent* event) {
    if (!m_reported && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<const QWidget*>(watched)->isWindow())
        report();
    return false;
}

void FirstFrameReporter::report() {
    const std::int64_t paintedAt = monotonicNanoseconds();
    const long resident = residentKiB();
    m_reported = true;
    char line[64];
    const int length =
        std::snprintf(line, sizeof line, "%lld %ld\n", static_cast<long long>(paintedAt), resident);
    // Straight to the pipe: stdio would hold the line back until the process ends.
    if (::write(STDOUT_FILENO, line, static_cast<std::size_t>(length)) != length)
        std::perror("first frame report");
    QCoreApplication::instance()->removeEventFilter(this);
    // exit() rather than quit(): it only leaves the event loop, so the frame being painted completes
    // and no window is closed on the way out.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

namespace {

// Runs inside the QApplication constructor, before the program under test builds any window.
void watchForFirstFrame() {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new FirstFrameReporter(application));
}

Q_COREAPP_STARTUP_FUNCTION(watchForFirstFrame)

} // namespace

} // namespace mivo::bench
