#pragma once

#include "Probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
namespace mivo::bench {

// At the first Paint of a top-level widget (the native window exists, layout and polish are done),
// writes "<CLOCK_MONOTONIC ns> <VmRSS KiB>" as one line to standard output and ends the event loop.
class FirstFrameReporter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() ||
            !static_cast<const QWidget*>(watched)->isWindow())
            return false;
        char line[64];
        const int length = std::snprintf(line, sizeof line, "%lld %ld\n",
                                         static_cast<long long>(nanoseconds()), residentKiB());
        // Straight to the pipe: stdio would hold the line back until the process ends.
        if (::write(STDOUT_FILENO, line, static_cast<std::size_t>(length)) != length)
            std::perror("first frame report");
        QCoreApplication::instance()->removeEventFilter(this);
        // exit() only leaves the event loop: the frame completes and no window is closed on the way out.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        return false;
    }
};

// Call once the application object exists, before any window is built.
inline void reportFirstFrame() {
    QCoreApplication::instance()->installEventFilter(new FirstFrameReporter(QCoreApplication::instance()));
}

} // namespace mivo::bench
