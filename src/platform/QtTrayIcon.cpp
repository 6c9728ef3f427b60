#include "platform/QtTrayIcon.h"

#include "core/ProgramTexts.h"

#include <QIcon>
#include <QSystemTrayIcon>

namespace mivo {

QtTrayIcon::QtTrayIcon(const QIcon& icon, QObject* parent)
    : TrayIcon(parent)
    , m_icon(new QSystemTrayIcon(icon, this)) {
    m_icon->setToolTip(QString::fromLatin1(texts::kTrayToolTip));
    // The right button needs nothing here: QSystemTrayIcon opens the context menu by itself.
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            emit leftButtonClicked();
    });
}

void QtTrayIcon::setInTray(bool inTray) {
    m_icon->setVisible(inTray);
}

bool QtTrayIcon::isInTray() const {
    return m_icon->isVisible();
}

bool QtTrayIcon::isTrayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::setPopupMenu(QMenu* menu) {
    m_icon->setContextMenu(menu);
}

} // namespace mivo
