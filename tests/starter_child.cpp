// Starts the program named by its arguments as Mivo starts the emulator, then runs until it is ended:
// tst_started_program ends it and watches whether the started program goes on without it, and reads an
// early failure it tells, one line on standard output, as the sign that its event loop turns.

#include "platform/QtProgramStarter.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    mivo::QtProgramStarter programs;
    QObject::connect(&programs, &mivo::ProgramStarter::endedEarly, &programs,
                     [](const QString& /*commandLine*/, const QString& howItEnded, const QStringList& lines) {
                         std::printf("%s: %s\n", qPrintable(howItEnded), qPrintable(lines.join(u'|')));
                         std::fflush(stdout);
                     });
    const QStringList words = QCoreApplication::arguments().mid(1);
    if (!programs.start({words.value(0), words.mid(1)}).started)
        return 1;
    return QCoreApplication::exec();
}
