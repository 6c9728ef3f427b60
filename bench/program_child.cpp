// Mivo exactly as its main() starts it, with the first painted frame reported.

#include "FirstFrame.h"
#include "app/Program.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    mivo::bench::reportFirstFrame();
    return mivo::runMivo();
}
