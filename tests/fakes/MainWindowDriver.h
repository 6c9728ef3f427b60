#pragma once

#include "FakePlatform.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <optional>
#include <type_traits>

namespace mivo::testing {

using Stored = QMap<QString, QString>;
inline const QString kZsnes = QStringLiteral("/usr/games/zsnes");
inline const QString kNoZsnes = QStringLiteral("Goto ''Setup'' to choose the Zsnes path");
inline const QString kNoRom = QStringLiteral("Goto ''Setup'' to load a Rom");
inline const QString kNoRomulus = QStringLiteral("Romulus path not selected");

// The first object of type T in `within` that `matches`. When there is none the running test fails and
// goes on with a hidden stand-in, so that one missing control cannot take the later tests down with it.
template <typename T> T* find(const QObject* within, const std::function<bool(T*)>& matches) {
    for (T* candidate : within->findChildren<T*>()) {
        if (matches(candidate))
            return candidate;
    }
    QTest::qFail(qPrintable(QStringLiteral("no such %1 found").arg(T::staticMetaObject.className())),
                 __FILE__, __LINE__);
    using StandIn = std::conditional_t<std::is_abstract_v<T>, QPushButton, T>;
    auto* parent = const_cast<QObject*>(within); // NOLINT(cppcoreguidelines-pro-type-const-cast)
    if constexpr (std::is_base_of_v<QWidget, T>)
        return new StandIn(qobject_cast<QWidget*>(parent));
    else
        return new StandIn(parent);
}

// A window of its own, such as "File Paths", by its title; null when none is shown.
inline QWidget* topLevel(const QString& title) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowTitle() == title && top->isVisible())
            return top;
    }
    return nullptr;
}

// What a regular end stores: the two tray boxes, the Zsnes path and the Romulus path, in that order.
inline QStringList shutdownWrites(const QStringList& values) {
    return {"Minimize to tray=" + values[0], "Icon in tray=" + values[1], "zsnesfilepath=" + values[2],
            "romuluspath=" + values[3]};
}

// A main window on fakes, started as the program starts it, and the moves a user makes on it. Controls
// are found by what the user sees, their captions, so that a mistyped caption fails the test.
class MainWindowDriver {
public:
    // `stored` is what the settings hold before the start; `programs`, when given, replaces the fake
    // starter.
    explicit MainWindowDriver(const Stored& stored, ProgramStarter* programs = nullptr) {
        fakes.settings.values = stored;
        Platform platform = fakes.platform();
        window = std::make_unique<MainWindow>(Platform{
            platform.settings, programs ? *programs : platform.programs, platform.fileDialogs, platform.urls,
            platform.beeper, platform.messages, platform.errors, platform.tray, platform.processEnd});
        window->restoreSession();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the main window did not appear");
    }

    template <typename T> T* named(const QString& name) const {
        return find<T>(window.get(), [&](T* w) { return w->objectName() == name; });
    }
    // Any button, check boxes included, by its caption or the name a screen reader gives it, in the main
    // window or in `within`.
    QAbstractButton* button(const QString& caption, const QWidget* within = nullptr) const {
        return find<QAbstractButton>(within ? within : window.get(), [&](QAbstractButton* b) {
            return b->text() == caption || b->accessibleName() == caption;
        });
    }
    // The frame titled `title`, whose title is a box that makes its controls usable.
    QGroupBox* frame(const QString& title) const {
        return find<QGroupBox>(window.get(), [&](QGroupBox* g) { return g->accessibleName() == title; });
    }
    // An option button of the frame titled `frame`.
    QRadioButton* option(const QString& frame, const QString& caption) const {
        return find<QRadioButton>(this->frame(frame), [&](QRadioButton* b) { return b->text() == caption; });
    }
    QLineEdit* field(const QString& name, const QWidget* within = nullptr) const {
        return find<QLineEdit>(within ? within : window.get(),
                               [&](QLineEdit* e) { return e->accessibleName() == name; });
    }
    QLabel* syntaxLine() const { return named<QLabel>("Label1"); }
    QString syntax() const { return syntaxLine()->text(); }
    QString rom() const { return named<QLabel>("Label7")->text(); }
    QTabWidget* tabs() const { return named<QTabWidget>("SSTab1"); }

    // Brings the tab holding `widget` to the front.
    void show(const QWidget* widget) const {
        for (int i = 0; i < tabs()->count(); ++i) {
            if (tabs()->widget(i)->isAncestorOf(widget))
                tabs()->setCurrentIndex(i);
        }
    }
    // A click where a user clicks: on the visible control, its tab shown first.
    void click(QAbstractButton* control) const {
        show(control);
        const QPoint at(6, control->height() / 2);
        // Where it is drawn, the pointer reaches it and nothing lying over it.
        if (!control->isVisible() ||
            control->window()->childAt(control->mapTo(control->window(), at)) != control) {
            QTest::qFail(qPrintable(control->text() + " is not visible"), __FILE__, __LINE__);
            return;
        }
        QTest::mouseClick(control, Qt::LeftButton, {}, at);
    }
    void press(const QString& caption, const QWidget* within = nullptr) const {
        click(button(caption, within));
    }
    // Selects the whole text and types over it, key by key.
    void type(QLineEdit* edit, const QString& keys) const {
        show(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }
    // Chooses an entry of a menu of the menu bar, both named by their captions.
    void menu(const QString& title, const QString& entry) const {
        const auto* top = find<QMenu>(window.get(), [&](QMenu* m) { return m->title() == title; });
        find<QAction>(top, [&](QAction* a) { return a->text() == entry; })->trigger();
    }

    // The File Paths window, opened from the File menu when it is not shown yet.
    QWidget* paths() const {
        if (QWidget* open = topLevel("File Paths"))
            return open;
        menu("&File", "&Paths");
        return topLevel("File Paths");
    }
    QLineEdit* pathField(const QString& row) const { return field(row, paths()); }
    // Presses a button of the File Paths window; a file dialog it opens gives `answer`.
    void inPaths(const QString& button, const std::optional<QString>& answer = std::nullopt) {
        fakes.fileDialogs.answers = {answer};
        press(button, paths());
    }
    // Presses "Load Rom....."; its file dialog gives `answer`.
    void loadRom(const std::optional<QString>& answer) {
        fakes.fileDialogs.answers = {answer};
        press("Load Rom.....");
    }

    fakes::FakePlatform fakes;
    std::unique_ptr<MainWindow> window;
};

// A test class whose tests each start the session they need; a new start ends the one before, so no
// window of an earlier test is left to be found.
class SessionTest : public QObject {
protected:
    MainWindowDriver& start(const Stored& stored = {{"zsnesfilepath", kZsnes}}) {
        m_driver.reset();
        m_driver = std::make_unique<MainWindowDriver>(stored);
        return *m_driver;
    }
    MainWindowDriver& d() const { return *m_driver; }

private:
    std::unique_ptr<MainWindowDriver> m_driver;
};

} // namespace mivo::testing
