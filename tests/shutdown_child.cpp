// The program's own start and shutdown on the real settings file and the real end of the process,
// with everything else faked. tst_shutdown runs it as a child: it reports what it restored, optionally
// changes the stored values as a user would, and closes its main window, which ends the process at once.

#include "FakePlatform.h"
#include "platform/QtProcessEnd.h"
#include "platform/QtSettingsStore.h"
#include "ui/dialogs/FilePathsDialog.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>

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

    auto* iconInTray = window.findChild<QCheckBox*>(QStringLiteral("Check37"));
    std::printf(
        "restored %d %d [%s]\n", window.findChild<QCheckBox*>(QStringLiteral("Check36"))->checkState(),
        iconInTray->checkState(), qPrintable(window.findChild<QLabel*>(QStringLiteral("Label1"))->text()));
    std::fflush(stdout);

    if (arguments.size() >= 2) {
        window.filePaths().setZsnesPath(arguments.at(1));
        iconInTray->setChecked(false);
    }
    window.close();
    return 2; // not reached: closing the window ends the process
}
