#pragma once

#include <QObject>

class QMenu;

namespace mivo {

// Mivo's icon in the desktop's system tray. The right button opens the pop-up menu given to it; the
// left button asks for the main window back.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setInTray(bool inTray) = 0;
    [[nodiscard]] virtual bool isInTray() const = 0;
    // Whether the desktop has a system tray at all; without one a hidden window could not come back.
    [[nodiscard]] virtual bool isTrayAvailable() const = 0;
    virtual void setPopupMenu(QMenu* menu) = 0;

signals:
    void leftButtonClicked();
};

} // namespace mivo
