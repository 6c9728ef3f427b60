// Mivo wired as Program wires it, on the real settings file, the real end of the process and the real
// signal watcher, with the rest faked so that it hides into a tray offscreen. tst_program runs it: it
// opens "About" or hides into the tray when its argument asks, says "ready" and waits for the system's end.

#include "FakePlatform.h"
#include "ui/dialogs/FilePathsDialog.h"
#include "ui/main/Program.h" // the Qt side of the platform and the window, as Program has them

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    mivo::QtSettingsStore settings(mivo::settingsFilePath(QStringLiteral("mends_child")));
    mivo::QtProcessEnd processEnd;
    mivo::fakes::FakePlatform fakes;
    mivo::MainWindow window({settings, fakes.programs, fakes.fileDialogs, fakes.desktop, fakes.desktop,
                             fakes.desktop, fakes.tray, processEnd});
    const mivo::SystemEndWatcher systemEnd;
    QObject::connect(&systemEnd, &mivo::SystemEndWatcher::endRequested, &window,
                     &mivo::MainWindow::Form_Unload);
    window.Form_Load();
    window.show();
    window.filePaths().setZsnesPath(QStringLiteral("/usr/games/zsnes"));
    if (QCoreApplication::arguments().contains(QStringLiteral("about")))
        window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    if (QCoreApplication::arguments().contains(QStringLiteral("tray")))
        window.showMinimized();
    // Queued behind the hiding into the tray, which waits for the state change to be over.
    QTimer::singleShot(0, &window, [&window] {
        std::puts(window.isEnabled() && window.isVisible() ? "ready shown" : "ready locked or hidden");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
