// Mivo as main wires it, on the real settings file, the real end of the process and the real signal
// watcher, with the rest faked. tst_mends runs it: it sets the Zsnes path to its first argument, opens
// "About" or hides into the tray when the second asks, says "ready" and waits for the system's end.

#include "FakePlatform.h"
#include "platform/QtProcessEnd.h"
#include "platform/QtSettingsStore.h"
#include "platform/SystemEndWatcher.h"
#include "ui/dialogs/FilePathsDialog.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();

    const QString name = mivo::applicationNameFromExecutable(QCoreApplication::applicationFilePath());
    mivo::QtSettingsStore settings(mivo::settingsFilePath(name));
    mivo::QtProcessEnd processEnd;
    mivo::fakes::FakePlatform fakes;
    mivo::MainWindow window({settings, fakes.programs, fakes.fileDialogs, fakes.urls, fakes.beeper,
                             fakes.messages, fakes.tray, processEnd});
    window.Form_Load();
    mivo::SystemEndWatcher systemEnd;
    QObject::connect(&systemEnd, &mivo::SystemEndWatcher::endRequested, &window,
                     &mivo::MainWindow::Form_Unload);
    window.show();

    window.filePaths().setZsnesPath(arguments.value(1));
    if (arguments.value(2) == QStringLiteral("about"))
        window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    if (arguments.value(2) == QStringLiteral("tray"))
        window.showMinimized();
    // Queued behind the hiding into the tray, which waits for the state change to be over.
    QTimer::singleShot(0, &window, [&window] {
        std::puts(window.isEnabled() && window.isVisible() ? "ready shown" : "ready locked or hidden");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
