#include "ui/WindowGeometry.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace mivo {

void centreOnScreen(QWidget& window) {
    // With no screen at all (the last one unplugged), the window stays where the system puts it.
    if (const QScreen* screen = window.screen()) {
        window.adjustSize();
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    }
}

} // namespace mivo
