// Mivo started as main starts it, on the real settings file under XDG_CONFIG_HOME, offscreen. tst_program
// runs it: it opens "About" or takes a long Zsnes path when its arguments ask, says "ready" and waits for
// the system's end.

#include "ui/dialogs/FilePathsDialog.h"
#include "app/Program.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    mivo::Program program;
    program.start();
    mivo::MainWindow& window = program.window();
    // A long path makes a file too large for a small disk.
    const bool longPath = QCoreApplication::arguments().contains(QStringLiteral("long path"));
    window.filePaths().setZsnesPath(longPath ? u'/' + QString(5000, u'z')
                                             : QStringLiteral("/usr/games/zsnes"));
    if (QCoreApplication::arguments().contains(QStringLiteral("about")))
        window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    QTimer::singleShot(0, &window, [&window] {
        std::puts(window.isEnabled() ? "ready" : "ready locked");
        std::fflush(stdout);
        std::fputs("written before the end", stdout); // left in the buffer for the end to flush
    });
    return QApplication::exec();
}
