#include "core/ProgramTexts.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setObjectName(QStringLiteral("Form1"));
    window.setWindowTitle(QString::fromLatin1(mivo::texts::kMainWindowTitle));
    window.show();
    return QApplication::exec();
}
