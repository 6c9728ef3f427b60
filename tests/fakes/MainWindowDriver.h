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
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace mivo::testing {

// The first widget of type T in `within` that `matches`; the test ends when there is none.
template <typename T> T* find(const QWidget* within, const std::function<bool(T*)>& matches) {
    for (T* candidate : within->findChildren<T*>()) {
        if (matches(candidate))
            return candidate;
    }
    qFatal("no %s found in %s", T::staticMetaObject.className(), qPrintable(within->objectName()));
}

// A window of its own, such as "File Paths", by its title; null when none is shown.
inline QWidget* topLevel(const QString& title) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowTitle() == title && top->isVisible())
            return top;
    }
    return nullptr;
}

// Centred on its screen, give or take the rounding of an odd size.
inline bool centred(const QWidget* window) {
    return (window->geometry().center() - window->screen()->availableGeometry().center()).manhattanLength() <=
           2;
}

// A main window on fakes, started as the program starts it, and the moves a user makes on it. Controls
// are found by what the user sees, their captions, so that a mistyped caption fails the test.
class MainWindowDriver {
public:
    // `stored` is what the settings hold before the start; `programs` replaces the fake starter.
    explicit MainWindowDriver(const QMap<QString, QString>& stored = {}, ProgramStarter* programs = nullptr) {
        fakes.settings.values = stored;
        Platform platform = fakes.platform();
        window = std::make_unique<MainWindow>(
            Platform{platform.settings, programs ? *programs : fakes.programs, platform.fileDialogs,
                     platform.urls, platform.beeper, platform.messages, platform.errors, platform.tray,
                     platform.processEnd});
        window->Form_Load();
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
    // An option button of the frame whose title is `frame`.
    QRadioButton* option(const QString& frame, const QString& caption) const {
        auto* box = find<QGroupBox>(window.get(), [&](QGroupBox* g) { return g->accessibleName() == frame; });
        return find<QRadioButton>(box, [&](QRadioButton* b) { return b->text() == caption; });
    }
    QLineEdit* field(const QString& name) const {
        return find<QLineEdit>(window.get(), [&](QLineEdit* e) { return e->accessibleName() == name; });
    }
    QString flag(const QString& field) const { return this->field(field)->property("validity").toString(); }
    QString syntax() const { return named<QLabel>("Label1")->text(); }
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
        if (!control->isVisible())
            qFatal("%s is not visible", qPrintable(control->text()));
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }
    void press(const QString& caption, const QWidget* within = nullptr) const {
        click(button(caption, within));
    }
    void tick(const QString& caption) const { press(caption); }
    // Selects the whole text and types over it, key by key.
    void type(const QString& field, const QString& keys) const { typeInto(this->field(field), keys); }
    void typeInto(QLineEdit* edit, const QString& keys) const {
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

    fakes::FakePlatform fakes;
    std::unique_ptr<MainWindow> window;
};

} // namespace mivo::testing
