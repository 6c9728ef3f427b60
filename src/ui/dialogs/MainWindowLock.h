#pragma once

#include <QObject>
#include <QSet>

class QWidget;

namespace mivo {

// Keeps the main window out of the user's reach while one of the information windows is open: it is
// disabled, and its close box does nothing, which disabling alone does not achieve because the window
// manager still delivers the close request. The main window comes back as soon as the last window
// holding it has gone, however it went.
class MainWindowLock : public QObject {
    Q_OBJECT

public:
    explicit MainWindowLock(QWidget& mainWindow);

    // Locks until `holder` lets go or is destroyed.
    void hold(const QObject& holder);
    void letGo(const QObject* holder);
    [[nodiscard]] bool isHeld() const { return !m_holders.isEmpty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_mainWindow;
    QSet<const QObject*> m_holders; // identities only, never used to reach the objects
};

} // namespace mivo
