#pragma once

#include <functional>

class QObject;
class QWidget;

namespace mivo {

// Calls `call` once `window` has painted its first frame and the event loop is back, so that work the
// first frame does not need never delays it. Nothing is called if `context` is gone by then.
void afterFirstPaint(QWidget& window, QObject& context, std::function<void()> call);

} // namespace mivo
