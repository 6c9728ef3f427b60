// The least a Qt Widgets program does to show a window of Mivo's kind: a window holding a tab widget. With
// "--caption" it gets one captioned tab, and must set up fonts before it paints, as every window with text.

#include "FirstFrame.h"

#include <QApplication>
#include <QTabWidget>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    mivo::bench::reportFirstFrame();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* tabs = new QTabWidget(&window);
    if (QCoreApplication::arguments().contains(QStringLiteral("--caption")))
        tabs->addTab(new QWidget(tabs), QStringLiteral("Video"));
    layout->addWidget(tabs);
    window.show();
    return QApplication::exec();
}
