#include "MainWindowDriver.h"
#include "core/OptionCatalog.h"
#include "core/ProgramTexts.h"
#include "ui/main/MainWindow.h"
#include "ui/main/RememberedFileDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace mivo;

namespace {
QString name(std::string_view text) {
    return catalogueText(text);
}
} // namespace

// The main window as the user meets it: built from the catalogue, driven with mouse and keyboard.
class TestMainWindow : public QObject {
    Q_OBJECT

    MainWindow* m_window = nullptr;

    std::unique_ptr<testing::MainWindowDriver> m_driver;

    template <typename T> T* control(const QString& objectName) const {
        return m_driver->find<T>(objectName);
    }
    QCheckBox* check(int number) const { return m_driver->check(number); }
    QRadioButton* option(int number) const { return m_driver->option(number); }
    QLineEdit* field(int number) const { return m_driver->field(number); }
    QString flag(int field) const { return m_driver->flag(field); }
    QString syntax() const { return m_driver->syntax(); }
    void showTabOf(const QWidget* widget) const { m_driver->showTabOf(widget); }
    void clickOn(QAbstractButton* button) const { m_driver->clickOn(button); }
    void typeInto(QLineEdit* edit, const QString& keys) const { m_driver->typeInto(edit, keys); }

private slots:
    void init() {
        m_driver = std::make_unique<testing::MainWindowDriver>();
        m_window = &m_driver->start();
    }

    void cleanup() { m_driver.reset(); }

    void windowShowsTheMiscTabFirstAtItsDesignedSize() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Mivo v1.60"));
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        auto* tabs = control<QTabWidget>(QStringLiteral("SSTab1"));
        QCOMPARE(tabs->count(), 4);
        const QStringList captions{"&Video", "&Sound/Controls", "&Misc.", "Rom(s)"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(tabs->tabText(i), captions[i]);
        QCOMPARE(tabs->currentIndex(), 2);
        QCOMPARE(tabs->size(), QSize(406, 353));
        QCOMPARE(m_window->width(), 406);
    }

    // Every option stands on its tab with its caption, and nothing on a page is cut off.
    void everyCatalogueControlIsOnItsTabWithItsCaption() {
        auto* tabs = control<QTabWidget>(QStringLiteral("SSTab1"));
        for (const auto& row : kCheckBoxes) {
            auto* box = control<QCheckBox>(name(row.name));
            QCOMPARE(box->text(), name(row.caption));
            QVERIFY2(tabs->widget(static_cast<int>(row.placement.tab))->isAncestorOf(box), row.name.data());
            QCOMPARE(box->isChecked(), row.designedTicked);
        }
        for (const auto& row : kOptionButtons) {
            auto* button = control<QRadioButton>(name(row.name));
            QCOMPARE(button->text(), name(row.caption));
            QCOMPARE(button->parentWidget()->objectName(), name(groupRow(row.group).frameName));
        }
        for (const auto& row : kNumberFields) {
            auto* edit = control<QLineEdit>(name(row.name));
            QCOMPARE(edit->text(), name(row.startText));
            QVERIFY(edit->isEnabled());
            const auto& heading = kCheckBoxes[checkIndex(row.headingCheck)];
            QVERIFY(tabs->widget(static_cast<int>(heading.placement.tab))->isAncestorOf(edit));
        }
        for (int i = 0; i < 3; ++i) {
            tabs->setCurrentIndex(i);
            QWidget* page = tabs->currentWidget();
            for (auto* button : page->findChildren<QAbstractButton*>()) {
                const QRect onPage(button->mapTo(page, QPoint()), button->size());
                QVERIFY2(page->rect().contains(onPage), qPrintable(button->objectName()));
                QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()),
                         qPrintable(button->objectName()));
            }
        }
    }

    void romTabAndDisplaysShowTheirTexts() {
        QCOMPARE(control<QLabel>(QStringLiteral("Label6"))->text(),
                 QStringLiteral("*Rom(s) and folders must be one word.  And not include spaces or &*"));
        QCOMPARE(control<QLabel>(QStringLiteral("Label10"))->font().pointSize(), 24);
        QVERIFY(!control<QPushButton>(QStringLiteral("Command6"))->isEnabled());
        QVERIFY(control<QPushButton>(QStringLiteral("Command4"))->isEnabled());
        QCOMPARE(control<QLabel>(QStringLiteral("Label7"))->text(),
                 QString::fromLatin1(texts::kRomPlaceholder));
        for (const char* display : {"Label1", "Label7"})
            QCOMPARE(control<QLabel>(QString::fromLatin1(display))->textFormat(), Qt::PlainText);
    }

    void menusHoldTheirEntriesAndTheModeMenuIsInert() {
        const QStringList topLevel{"&File", "&Mode", "&Add-ons", "&Help"};
        QStringList shown;
        for (QAction* action : m_window->menuBar()->actions())
            shown << action->text();
        QCOMPARE(shown, topLevel);
        for (const char* entry : {"mnuSettings", "mnuExit", "mnuRomulus", "mnuAboutAddons", "mnuAbout",
                                  "mnuAboutEmulators", "mnuExitRight", "mnuSeperator", "mnuSeperator1"})
            QVERIFY2(control<QAction>(QString::fromLatin1(entry)), entry);

        auto* zsnes = control<QAction>(QStringLiteral("mnuZsnesMode"));
        auto* snes9x = control<QAction>(QStringLiteral("mnuSnes9xMode"));
        zsnes->trigger();
        QVERIFY(zsnes->isChecked());
        QVERIFY(!snes9x->isEnabled());

        auto* trayMenu = control<QMenu>(QStringLiteral("mnuRightButton"));
        QVERIFY(!m_window->menuBar()->actions().contains(trayMenu->menuAction()));
        QCOMPARE(trayMenu->actions().size(), 1);
        QCOMPARE(trayMenu->actions().front()->text(), QStringLiteral("&Exit"));
    }

    void startSelectsEachGroupsDefaultAndDisablesEveryButton() {
        for (int number = 1; number <= 31; ++number) {
            QVERIFY(!option(number)->isEnabled());
            QCOMPARE(option(number)->isChecked(),
                     number == 21 || number == 17 || number == 1 || number == 14);
        }
        for (int frame = 1; frame <= 4; ++frame)
            QVERIFY(control<QGroupBox>(QStringLiteral("Frame%1").arg(frame))->isEnabled());
    }

    void validityFlagsAreNeverWidgets() {
        for (int field = 1; field <= 4; ++field) {
            QObject* flagObject = control<QObject>(QStringLiteral("Label%1").arg(field + 1));
            QVERIFY(!flagObject->isWidgetType());
            QCOMPARE(flag(field), QStringLiteral("Label%1").arg(field + 1));
        }
    }

    void headingBoxesEnableExactlyTheirControls() {
        // A number field can be edited before its box has ever been ticked.
        QVERIFY(field(1)->isEnabled());
        clickOn(check(14));
        QVERIFY(field(1)->isEnabled());
        clickOn(check(14));
        QVERIFY(!field(1)->isEnabled());
        QCOMPARE(field(1)->text(), QStringLiteral("0"));

        clickOn(check(2));
        for (int number = 1; number <= 7; ++number)
            QVERIFY(option(number)->isEnabled());
        QVERIFY(option(1)->isChecked());

        // Player two's box leaves player one exactly as it was.
        clickOn(check(3));
        clickOn(check(3));
        QVERIFY(!control<QGroupBox>(QStringLiteral("Frame2"))->isEnabled());
        for (int number = 8; number <= 14; ++number)
            QVERIFY(!option(number)->isEnabled());
        QVERIFY(control<QGroupBox>(QStringLiteral("Frame1"))->isEnabled());
        for (int number = 1; number <= 7; ++number)
            QVERIFY(option(number)->isEnabled());

        // A choice survives its group being switched off and on.
        clickOn(check(29));
        clickOn(option(25));
        clickOn(check(29));
        QVERIFY(option(25)->isChecked() && !option(25)->isEnabled());
        clickOn(check(29));
        QVERIFY(option(25)->isChecked() && option(25)->isEnabled());
    }

    // A screen reader toggles a box without a click; the interlock must follow all the same.
    void programmaticToggleRunsTheInterlock() {
        check(23)->setChecked(true);
        QVERIFY(option(15)->isEnabled() && option(20)->isEnabled());
        check(23)->toggle();
        QVERIFY(!option(15)->isEnabled() && !control<QGroupBox>(QStringLiteral("Frame3"))->isEnabled());
    }

    void boxesOutsideTheInterlocksChangeNothingElse() {
        const auto enabledStates = [this] {
            QList<bool> states;
            for (auto* widget : m_window->findChildren<QWidget*>())
                states << widget->isEnabled();
            return states;
        };
        const auto before = enabledStates();
        for (int number : {1, 4, 13, 27, 28, 34, 35, 36}) {
            clickOn(check(number));
        }
        QCOMPARE(enabledStates(), before);
    }

    void numberFieldsCorrectEachKeystroke() {
        typeInto(field(1), QStringLiteral("1"));
        QCOMPARE(field(1)->text(), QStringLiteral("1"));
        QCOMPARE(flag(1), QStringLiteral("True"));
        QTest::keyClick(field(1), Qt::Key_2);
        QCOMPARE(field(1)->text(), QStringLiteral("9"));
        QCOMPARE(flag(1), QStringLiteral("True"));

        // Once the field reads "0." its value is 0, and it becomes "0" before the 5 arrives.
        typeInto(field(1), QStringLiteral("0."));
        QCOMPARE(field(1)->text(), QStringLiteral("0"));
        QTest::keyClick(field(1), Qt::Key_5);
        QCOMPARE(field(1)->text(), QStringLiteral("05"));
        field(1)->selectAll();
        field(1)->insert(QStringLiteral("0.5")); // pasted whole
        QCOMPARE(field(1)->text(), QStringLiteral("0.5"));

        typeInto(field(4), QStringLiteral("30"));
        QCOMPARE(field(4)->text(), QStringLiteral("30"));
        QCOMPARE(flag(4), QStringLiteral("False"));
        QTest::keyClick(field(4), Qt::Key_5);
        QCOMPARE(field(4)->text(), QStringLiteral("120"));
        QCOMPARE(flag(4), QStringLiteral("True"));

        for (const auto& [number, reset] : {std::pair{3, "0"}, std::pair{4, "50"}}) {
            typeInto(field(number), QStringLiteral("7"));
            QTest::keyClick(field(number), Qt::Key_Backspace);
            QCOMPARE(field(number)->text(), QString::fromLatin1(reset));
        }
    }

    void viewSyntaxComposesTheOptionsInTheirOrder() {
        control<RememberedFileDialog>(QStringLiteral("CommonDialog1"))
            ->setFileName(QStringLiteral("/usr/games/zsnes"));
        auto* viewSyntax = control<QPushButton>(QStringLiteral("Command1"));
        viewSyntax->setEnabled(true);

        clickOn(check(14));
        typeInto(field(1), QStringLiteral("3"));
        clickOn(check(23));
        clickOn(option(18));
        clickOn(check(2));
        clickOn(option(2));
        clickOn(check(29));
        clickOn(option(25));

        QTest::mouseClick(viewSyntax, Qt::LeftButton);
        const QString expected = QStringLiteral("/usr/games/zsnes -f 3 -r 3 -v 4 -1 1");
        QCOMPARE(syntax(), expected);
        QVERIFY(control<QPushButton>(QStringLiteral("Command2"))->isEnabled());
        QTest::mouseClick(viewSyntax, Qt::LeftButton);
        QCOMPARE(syntax(), expected);

        // An option changed afterwards waits for the next press.
        clickOn(check(30));
        QCOMPARE(syntax(), expected);
    }

    void untouchedNumberFieldsAddNoSwitch() {
        control<QPushButton>(QStringLiteral("Command1"))->setEnabled(true);
        for (int number : {14, 22}) {
            clickOn(check(number));
        }
        QTest::mouseClick(control<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(syntax(), QString());
        typeInto(field(4), QStringLiteral("60"));
        QTest::mouseClick(control<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(syntax(), QStringLiteral(" -p 60"));
    }

    // Someone using the keyboard alone: accelerators reach the tabs and buttons, and Tab walks every
    // usable control of a page in its order, a frame's title before its buttons.
    void keyboardReachesEveryControl() {
        QApplication::setActiveWindow(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        auto* tabs = control<QTabWidget>(QStringLiteral("SSTab1"));
        QTest::keyClick(m_window, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        // An accelerator presses the button as a click would, released a moment later.
        QTest::keyClick(m_window, Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(m_driver->fakes().messages.warnings.size(), 1); // Run/Play, with nothing to run yet

        tabs->setCurrentIndex(0);
        clickOn(check(29));
        QList<QWidget*> visited;
        check(29)->setFocus();
        for (int i = 0; i < 16; ++i) {
            visited << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited.at(0), check(29));
        QCOMPARE(visited.at(1), option(21)); // the chosen button stands for its group
        QCOMPARE(visited.at(2), check(6));
        QVERIFY(visited.contains(field(1)) && visited.contains(field(2)));
        QVERIFY(visited.indexOf(check(14)) + 1 == visited.indexOf(field(1)));
    }

    void everyFieldHasAnAccessibleName() {
        const QStringList expected{"Turn on frame skip", "Set Gamma Correction", "Set Volume level",
                                   "Percentage of instructions to execute"};
        for (int number = 1; number <= 4; ++number)
            QCOMPARE(field(number)->accessibleName(), expected[number - 1]);
        for (auto* edit : m_window->findChildren<QLineEdit*>())
            QVERIFY2(!edit->accessibleName().isEmpty(), qPrintable(edit->objectName()));
        for (auto* button : m_window->findChildren<QAbstractButton*>()) {
            if (button->parent()->inherits("QTabBar") || button->objectName().startsWith(u"qt_"))
                continue;
            QVERIFY2(!button->text().isEmpty() || !button->accessibleName().isEmpty(),
                     qPrintable(button->objectName()));
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
