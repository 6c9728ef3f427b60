// Mivo started as main starts it, on the real settings file under XDG_CONFIG_HOME, offscreen. tst_program
// runs it: it opens "About", takes a long Zsnes path or runs a given emulator when its arguments ask, says
// "ready" and waits for the system's end.

#include "ui/dialogs/FilePathsDialog.h"
#include "app/Program.h"

#include <QAbstractButton>
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
    // "run PROGRAM": PROGRAM is the emulator, started at once by "&Run/Play".
    const qsizetype run = QCoreApplication::arguments().indexOf(QStringLiteral("run"));
    window.filePaths().setZsnesPath(longPath  ? u'/' + QString(5000, u'z')
                                    : run > 0 ? QCoreApplication::arguments().value(run + 1)
                                              : QStringLiteral("/usr/games/zsnes"));
    if (run > 0) {
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
            if (button->text() == QStringLiteral("&Run/Play"))
                button->click();
    }
    if (QCoreApplication::arguments().contains(QStringLiteral("about")))
        window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    QTimer::singleShot(0, &window, [&window] {
        std::puts(window.isEnabled() ? "ready" : "ready locked");
        std::fflush(stdout);
        std::fputs("written before the end", stdout); // left in the buffer for the end to flush
    });
    return QApplication::exec();
}
