#include "platform/QtTrayIcon.h"

#include "core/ProgramTexts.h"
#include "platform/AfterFirstPaint.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace mivo {

QtTrayIcon::QtTrayIcon(QIcon icon, QObject* parent)
    : TrayIcon(parent)
    , m_picture(std::move(icon)) {}

void QtTrayIcon::appearAfterFirstPaintOf(QWidget& window) {
    afterFirstPaint(window, *this, [this] { create(); });
}

void QtTrayIcon::create() {
    m_icon = new QSystemTrayIcon(m_picture, this);
    m_icon->setToolTip(QString::fromLatin1(texts::kTrayToolTip));
    // The right button needs nothing here: QSystemTrayIcon opens the context menu by itself.
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            emit leftButtonClicked();
    });
    m_icon->setContextMenu(m_menu);
    m_icon->setVisible(m_inTray && trayCanAppear());
}

void QtTrayIcon::setInTray(bool inTray) {
    m_inTray = inTray;
    if (m_icon != nullptr)
        m_icon->setVisible(inTray && trayCanAppear());
}

bool QtTrayIcon::isInTray() const {
    return m_inTray;
}

bool QtTrayIcon::trayCanAppear() {
    // Only on X11 does Qt watch for a tray that comes later. Elsewhere it settles at its first look
    // whether the desktop has a tray, and an icon shown without one only makes Qt try to watch an X11
    // signal that the platform lacks, which it complains about on standard error.
    return QSystemTrayIcon::isSystemTrayAvailable() ||
           QGuiApplication::platformName() == QLatin1StringView("xcb");
}

bool QtTrayIcon::isTrayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::setPopupMenu(QMenu* menu) {
    m_menu = menu;
    if (m_icon != nullptr)
        m_icon->setContextMenu(menu);
}

} // namespace mivo
