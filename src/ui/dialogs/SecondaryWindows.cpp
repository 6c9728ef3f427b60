#include "ui/dialogs/SecondaryWindows.h"

#include "core/ProgramTexts.h"
#include "ui/Launcher.h"
#include "ui/dialogs/InformationWindow.h"
#include "ui/dialogs/InformationWindowCatalog.h"

#include <QWidget>

namespace mivo {

SecondaryWindows::SecondaryWindows(QWidget& mainWindow, const Platform& platform, const Launcher& launcher,
                                   QObject* parent)
    : QObject(parent)
    , m_mainWindow(mainWindow)
    , m_platform(platform)
    , m_launcher(launcher)
    , m_lock(mainWindow) {}

SecondaryWindows::~SecondaryWindows() {
    // They have no parent to take them along; the lock still sees them go and frees the main window.
    for (QPointer<InformationWindow>* slot :
         {&m_about, &m_aboutAddons, &m_aboutEmulators, &m_romulusNotFound})
        delete slot->data();
}

void SecondaryWindows::showAbout() {
    present(m_about, [this] { return makeAboutWindow(m_platform.urls); });
}

void SecondaryWindows::showAboutAddOns() {
    present(m_aboutAddons, &makeAboutAddonsWindow);
}

void SecondaryWindows::showAboutEmulators() {
    present(m_aboutEmulators, &makeAboutEmulatorsWindow);
}

void SecondaryWindows::startRomulus(const QString& romulusPath) {
    if (romulusPath != QLatin1String(texts::kRomulusPlaceholder)) {
        // The Launcher tells the user when this fails; Mivo itself carries on either way.
        m_launcher.launchProgram(&m_mainWindow, romulusPath);
        return;
    }
    present(m_romulusNotFound, &makeRomulusNotFoundWindow);
}

void SecondaryWindows::present(QPointer<InformationWindow>& slot, const WindowMaker& make) {
    if (slot) {
        slot->raise();
        slot->activateWindow();
        return;
    }
    m_platform.beeper.beep();
    slot = make().release(); // from here on the window deletes itself when closed
    // Let go before the window disappears, so that focus can return to the main window.
    connect(slot, &InformationWindow::closing, &m_lock,
            [this, window = slot.data()] { m_lock.letGo(window); });
    slot->show();
    m_lock.hold(*slot);
}

} // namespace mivo
