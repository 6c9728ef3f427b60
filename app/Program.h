#pragma once

#include "platform/ImmediateProcessEnd.h"
#include "platform/QtBeeper.h"
#include "platform/QtFileOpenDialog.h"
#include "platform/QtMessenger.h"
#include "platform/QtProgramStarter.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtTrayIcon.h"
#include "platform/QtUrlOpener.h"
#include "platform/StandardErrorLog.h"
#include "platform/SystemEndWatcher.h"
#include "ui/main/MainWindow.h"

#include <optional>

namespace mivo {

// Mivo on the real desktop: the main window wired to the Qt side of every platform interface. Made
// once the QApplication exists; the program's main() and the start-up benchmark both start Mivo this way.
class Program {
public:
    Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    [[nodiscard]] MainWindow& window() { return m_window; }
    [[nodiscard]] SystemEndWatcher& systemEnd() { return m_systemEnd; }
    [[nodiscard]] const QtTrayIcon& tray() const { return m_tray; }

    // Restores the stored values, shows the window and puts the tray icon up once the window has painted.
    // From then on logout, shutdown, a closing terminal or Ctrl+C end Mivo as its close box does, and
    // the session manager's request to save saves without ending it. A `rom` named on the command line is
    // chosen once the window is up, or told there when it cannot be read.
    void start(const std::optional<QString>& rom = std::nullopt);

private:
    QtSettingsStore m_settings;
    QtProgramStarter m_programs;
    QtFileOpenDialog m_fileDialogs;
    QtUrlOpener m_urls;
    QtBeeper m_beeper;
    QtMessenger m_messages;
    StandardErrorLog m_errors;
    QtTrayIcon m_tray;
    ImmediateProcessEnd m_processEnd;
    MainWindow m_window;
    SystemEndWatcher m_systemEnd;
};

// Starts Mivo in the QApplication already made, with `rom` as the start's ROM, and runs the event loop
// until the program ends.
int runMivo(const std::optional<QString>& rom = std::nullopt);

} // namespace mivo
