#pragma once

#include "platform/TrayIcon.h"

class QIcon;
class QSystemTrayIcon;

namespace mivo {

class QtTrayIcon final : public TrayIcon {
    Q_OBJECT

public:
    explicit QtTrayIcon(const QIcon& icon, QObject* parent = nullptr);

    void setInTray(bool inTray) override;
    [[nodiscard]] bool isInTray() const override;
    [[nodiscard]] bool isTrayAvailable() const override;
    void setPopupMenu(QMenu* menu) override;

private:
    QSystemTrayIcon* m_icon; // a child of this object
};

} // namespace mivo
