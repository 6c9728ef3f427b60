#pragma once

#include "platform/TrayIcon.h"

#include <QIcon>
#include <QPointer>

class QSystemTrayIcon;
class QWidget;

namespace mivo {

// The icon in the desktop's tray. It is made only once the main window has painted its first frame,
// so that setting it up never delays that frame; until then it keeps what it is told and applies it then.
class QtTrayIcon final : public TrayIcon {
    Q_OBJECT

public:
    explicit QtTrayIcon(QIcon icon, QObject* parent = nullptr);

    // Makes the icon as soon as `window` has painted for the first time.
    void appearAfterFirstPaintOf(QWidget& window);

    void setInTray(bool inTray) override;
    [[nodiscard]] bool isInTray() const override;
    [[nodiscard]] bool isTrayAvailable() const override;
    void setPopupMenu(QMenu* menu) override;

private:
    void create();
    // Whether an icon made now could ever be seen in a tray.
    [[nodiscard]] static bool trayCanAppear();

    QIcon m_picture;
    QPointer<QMenu> m_menu;
    bool m_inTray = false;
    QSystemTrayIcon* m_icon = nullptr; // a child of this object, once made
};

} // namespace mivo
