#pragma once

#include <QObject>

namespace mivo::bench {

// Watches the whole application for the first Paint event that reaches a top-level widget. At that
// moment it writes "<CLOCK_MONOTONIC nanoseconds> <VmRSS KiB>" as one line to standard output, stops
// watching and ends the event loop, so that the benchmark can time the next start.
//
// It watches the application rather than the window because the program's own main() builds its
// window on the stack, out of reach until it is shown. For widgets, the first Paint of the top-level
// widget comes from the synchronous repaint of the first expose: the native window exists, every
// layout and style polish is done, and painting starts. The children's paint and the flush of the
// backing store come after it and are not included.
class FirstFrameReporter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    bool m_reported = false;
};

} // namespace mivo::bench
