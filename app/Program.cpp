#include "app/Program.h"

#include "app/StartRom.h"
#include "ui/DeferredArrowStyle.h"
#include "ui/ProgramIcon.h"

#include <QApplication>
#include <QTimer>

namespace mivo {
namespace {

// Application-wide set-up, made as the tray icon is, before the window; returns the program's icon.
QIcon setUpApplication() {
    QApplication::setStyle(new DeferredArrowStyle(QApplication::style()->name()));
    QIcon icon = programIcon();
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    // Mivo ends only through its own exit steps: with the main window hidden in the tray, closing the
    // File Paths window must not end it without saving.
    QApplication::setQuitOnLastWindowClosed(false);
    return icon;
}

} // namespace

Program::Program()
    // A copy of the program under another name keeps a set of values of its own.
    : m_settings(settingsFilePath(applicationNameFromExecutable(QCoreApplication::applicationFilePath())))
    , m_tray(setUpApplication())
    , m_window({m_settings, m_programs, m_fileDialogs, m_urls, m_beeper, m_messages, m_errors, m_tray,
                m_processEnd}) {}

void Program::start(const std::optional<QString>& rom) {
    m_window.restoreSession();
    m_tray.appearAfterFirstPaintOf(m_window);
    QObject::connect(&m_systemEnd, &SystemEndWatcher::endRequested, &m_window,
                     [this] { m_window.endSession(Ending::BySystem); });
    QObject::connect(&m_systemEnd, &SystemEndWatcher::saveRequested, &m_window, &MainWindow::saveSettings);
    m_window.show();
    // Once the event loop runs, so that a warning about it stands over the window, not before it.
    if (rom)
        QTimer::singleShot(0, &m_window, [this, path = *rom] { chooseStartRom(m_window, m_messages, path); });
}

int runMivo(const std::optional<QString>& rom) {
    Program program;
    program.start(rom);
    return QApplication::exec();
}

} // namespace mivo
