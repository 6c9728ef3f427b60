// Starts the program named by its first argument as Mivo starts the emulator, then runs until it is
// ended: tst_started_program ends it and watches whether the started program goes on without it.

#include "platform/QtProgramStarter.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    mivo::QtProgramStarter programs;
    if (!programs.start({QCoreApplication::arguments().value(1), {}}).started)
        return 1;
    return QCoreApplication::exec();
}
