#pragma once

#include "FakePlatform.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace mivo::testing {

// A main window on fakes, started as the program starts it, and the moves a user makes on it. Controls
// are found by their names, as a user finds them by their captions.
class MainWindowDriver {
public:
    // `programs` replaces the fake starter, for a window that starts real programs.
    explicit MainWindowDriver(ProgramStarter* programs = nullptr)
        : m_programs(programs) {}

    MainWindow& start() {
        fakes::FakePlatform& f = *m_fakes;
        ProgramStarter& programs = m_programs != nullptr ? *m_programs : f.programs;
        m_window = std::make_unique<MainWindow>(Platform{f.settings, programs, f.fileDialogs, f.urls,
                                                         f.beeper, f.messages, f.tray, f.processEnd});
        m_window->Form_Load();
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            qFatal("the main window did not appear");
        return *m_window;
    }

    fakes::FakePlatform& fakes() const { return *m_fakes; }
    MainWindow& window() const { return *m_window; }

    template <typename T> T* find(const QString& objectName, const QObject* within = nullptr) const {
        const QObject* root = within != nullptr ? within : m_window.get();
        auto* found = root->findChild<T*>(objectName);
        if (found == nullptr)
            qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(objectName));
        return found;
    }
    QCheckBox* check(int number) const { return find<QCheckBox>(QStringLiteral("Check%1").arg(number)); }
    QRadioButton* option(int number) const {
        return find<QRadioButton>(QStringLiteral("Option%1").arg(number));
    }
    QLineEdit* field(int number) const { return find<QLineEdit>(QStringLiteral("Text%1").arg(number)); }
    QAbstractButton* command(int number, const QObject* within = nullptr) const {
        return find<QAbstractButton>(QStringLiteral("Command%1").arg(number), within);
    }
    QString flag(int number) const { return field(number)->property("validity").toString(); }
    QString syntax() const { return find<QLabel>(QStringLiteral("Label1"))->text(); }
    QString romDisplay() const { return find<QLabel>(QStringLiteral("Label7"))->text(); }

    void showTabOf(const QWidget* widget) const {
        auto* tabs = find<QTabWidget>(QStringLiteral("SSTab1"));
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(widget))
                tabs->setCurrentIndex(i);
        }
    }

    // A click where a user clicks: on the visible control, on its tab.
    static void click(QAbstractButton* button) {
        if (!button->isVisible())
            qFatal("%s is not visible", qPrintable(button->objectName()));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void clickOn(QAbstractButton* button) const {
        showTabOf(button);
        click(button);
    }

    // Selects the whole text and types over it, key by key.
    void typeInto(QLineEdit* edit, const QString& keys) const {
        showTabOf(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }

    void trigger(const char* menuEntry) const;

    // The File Paths window has no owner, so it is found among the top-level windows.
    static QWidget* pathsWindow() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1StringView("Form5"))
                return top;
        }
        return nullptr;
    }

private:
    std::unique_ptr<fakes::FakePlatform> m_fakes = std::make_unique<fakes::FakePlatform>();
    ProgramStarter* m_programs;
    std::unique_ptr<MainWindow> m_window;
};

inline void MainWindowDriver::trigger(const char* menuEntry) const {
    find<QAction>(QString::fromLatin1(menuEntry))->trigger();
}

} // namespace mivo::testing
