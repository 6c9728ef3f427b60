#pragma once

#include "Probe.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
namespace mivo::bench {

// Writes "<CLOCK_MONOTONIC ns> <KiB>" as one line to standard output.
inline void reportLine(long kib) {
    char line[64];
    const int length =
        std::snprintf(line, sizeof line, "%lld %ld\n", static_cast<long long>(nanoseconds()), kib);
    // Straight to the pipe: stdio would hold the line back until the process ends.
    if (::write(STDOUT_FILENO, line, static_cast<std::size_t>(length)) != length)
        std::perror("first frame report");
}

// exit() only leaves the event loop: the frame completes and no window is closed on the way out.
inline void endSoon() {
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

// At the first Paint of a top-level widget (the native window exists, layout and polish are done),
// reports the time and VmRSS, and ends the event loop. Given a number of ROM rows, it waits after that
// frame until the window's ROM list ("File1") holds that many, and reports the time and the peak of the
// resident memory (VmHWM) before it ends.
class FirstFrameReporter final : public QObject {
public:
    FirstFrameReporter(int romRows, QObject* parent)
        : QObject(parent)
        , m_romRows(romRows) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() ||
            !static_cast<const QWidget*>(watched)->isWindow())
            return false;
        reportLine(statusKiB("VmRSS:"));
        QCoreApplication::instance()->removeEventFilter(this);
        if (m_romRows < 0)
            endSoon();
        else
            awaitRomRows(*static_cast<const QWidget*>(watched));
        return false;
    }

private:
    void awaitRomRows(const QWidget& window) {
        const auto* list = window.findChild<const QAbstractItemView*>(QStringLiteral("File1"));
        const QAbstractItemModel* model = list != nullptr ? list->model() : nullptr;
        if (model == nullptr) {
            std::fprintf(stderr, "the window has no ROM list File1\n");
            return endSoon();
        }
        const auto check = [this, model] {
            if (m_romRows < 0 || model->rowCount() != m_romRows)
                return;
            m_romRows = -1;                  // reported once
            reportLine(statusKiB("VmHWM:")); // the peak so far
            endSoon();
        };
        connect(model, &QAbstractItemModel::modelReset, this, check);
        connect(model, &QAbstractItemModel::rowsInserted, this, check);
        check();
    }

    int m_romRows;
};

// Call once the application object exists, before any window is built. "--rom-rows N" among the
// program's arguments makes it wait for N rows in the ROM list as well.
inline void reportFirstFrame() {
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype rows = arguments.indexOf(QStringLiteral("--rom-rows"));
    QCoreApplication::instance()->installEventFilter(new FirstFrameReporter(
        rows >= 0 ? arguments.value(rows + 1).toInt() : -1, QCoreApplication::instance()));
}

} // namespace mivo::bench
