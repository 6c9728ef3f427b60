// The least a Qt Widgets program does to show a window of Mivo's kind: one top-level window holding
// one empty tab widget. Mivo's start-up is measured against this. With the argument "--caption" the
// tab widget gets one tab with a caption: the same window, except that it must set up fonts before it
// can paint, as every window with text must. FirstFrameReporter, linked in beside it, reports the first
// painted frame.

#include <QApplication>
#include <QTabWidget>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* tabs = new QTabWidget(&window);
    if (QCoreApplication::arguments().contains(QStringLiteral("--caption")))
        tabs->addTab(new QWidget(tabs), QStringLiteral("Video"));
    layout->addWidget(tabs);
    window.show();
    return QApplication::exec();
}
