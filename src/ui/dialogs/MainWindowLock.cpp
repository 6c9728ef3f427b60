#include "ui/dialogs/MainWindowLock.h"

#include <QEvent>
#include <QWidget>

namespace mivo {

MainWindowLock::MainWindowLock(QWidget& mainWindow)
    : m_mainWindow(mainWindow) {
    m_mainWindow.installEventFilter(this);
}

void MainWindowLock::hold(const QObject& holder) {
    if (!m_holders.contains(&holder)) {
        m_holders.insert(&holder);
        connect(&holder, &QObject::destroyed, this, [this, key = &holder] { letGo(key); });
    }
    m_mainWindow.setEnabled(false);
}

void MainWindowLock::letGo(const QObject* holder) {
    if (m_holders.remove(holder) && m_holders.isEmpty())
        m_mainWindow.setEnabled(true);
}

bool MainWindowLock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_mainWindow && event->type() == QEvent::Close && isHeld()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mivo
