#include "ProgramIcon.h"
#include "core/StartOptions.h"
#include "platform/QtBeeper.h"
#include "platform/QtFileOpenDialog.h"
#include "platform/QtMessenger.h"
#include "platform/QtProcessEnd.h"
#include "platform/QtProgramStarter.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtTrayIcon.h"
#include "platform/QtUrlOpener.h"
#include "platform/SystemEndWatcher.h"
#include "ui/main/MainWindow.h"

#include <QApplication>

#include <cstdio>
#include <span>

int main(int argc, char* argv[]) {
    // Answered before any window, so that these work without a display.
    if (const auto answer = mivo::answerStartOptions(std::span(argv, argc), MIVO_VERSION_STRING)) {
        std::fputs(answer->standardOutput.c_str(), stdout);
        std::fputs(answer->standardError.c_str(), stderr);
        return answer->exitCode;
    }

    QApplication app(argc, argv);
    QApplication::setWindowIcon(mivo::programIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(mivo::kDesktopId));
    // Mivo ends only through its own exit steps: with the main window hidden in the tray, closing the
    // File Paths window must not end it without saving.
    QApplication::setQuitOnLastWindowClosed(false);

    // A copy of the program under another name keeps a set of values of its own.
    const QString applicationName =
        mivo::applicationNameFromExecutable(QCoreApplication::applicationFilePath());
    mivo::QtSettingsStore settings(mivo::settingsFilePath(applicationName));
    mivo::QtProgramStarter programs;
    mivo::QtFileOpenDialog fileDialogs;
    mivo::QtUrlOpener urls;
    mivo::QtBeeper beeper;
    mivo::QtMessenger messages;
    mivo::QtTrayIcon tray(mivo::programIcon());
    mivo::QtProcessEnd processEnd;

    mivo::MainWindow window({settings, programs, fileDialogs, urls, beeper, messages, tray, processEnd});
    window.Form_Load();
    // Logout, shutdown, a closing terminal or Ctrl+C end Mivo as its close box does.
    mivo::SystemEndWatcher systemEnd;
    QObject::connect(&systemEnd, &mivo::SystemEndWatcher::endRequested, &window,
                     &mivo::MainWindow::Form_Unload);
    window.show();
    return QApplication::exec();
}
