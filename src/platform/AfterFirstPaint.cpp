#include "platform/AfterFirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace mivo {
namespace {

// Lives on, idle, as a child of the context once it has done its one call.
class FirstPaintFilter final : public QObject {
public:
    FirstPaintFilter(QObject& context, std::function<void()> call)
        : QObject(&context)
        , m_call(std::move(call)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: after the frame being painted has reached the screen.
            QMetaObject::invokeMethod(this, m_call, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_call;
};

} // namespace

void afterFirstPaint(QWidget& window, QObject& context, std::function<void()> call) {
    window.installEventFilter(new FirstPaintFilter(context, std::move(call)));
}

} // namespace mivo
