#include "MainWindowDriver.h"
#include "core/OptionCatalog.h"
#include "ui/RememberedFileDialog.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>

using namespace mivo;

// The main window as the user meets it: built from the catalogue, driven with mouse and keyboard.
class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& d() { return *m_driver; }
    QTabWidget* tabs() { return d().find<QTabWidget>(QStringLiteral("SSTab1")); }
    QGroupBox* frame(int number) { return d().find<QGroupBox>(QStringLiteral("Frame%1").arg(number)); }
    void viewSyntax() { QTest::mouseClick(d().command(1), Qt::LeftButton); }
    bool optionsEnabled(int first, int last) {
        for (int number = first; number <= last; ++number) {
            if (!d().option(number)->isEnabled())
                return false;
        }
        return true;
    }

private slots:
    void init() {
        m_driver = std::make_unique<testing::MainWindowDriver>();
        d().start();
    }
    void cleanup() { m_driver.reset(); }

    void windowShowsTheMiscTabFirstAtItsDesignedSize() {
        QVERIFY(!(d().window().windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(tabs()->currentIndex(), 2);
        QCOMPARE(tabs()->tabText(2), QStringLiteral("&Misc."));
        QCOMPARE(tabs()->size(), QSize(406, 353));
        QCOMPARE(d().window().width(), 406);
    }

    // Every option stands on its tab with its caption, and nothing on a page is cut off.
    void everyCatalogueControlIsOnItsTabUncut() {
        for (const auto& row : kCheckBoxes) {
            auto* box = d().find<QCheckBox>(catalogueText(row.name));
            QCOMPARE(box->text(), catalogueText(row.caption));
            QVERIFY2(tabs()->widget(static_cast<int>(row.placement.tab))->isAncestorOf(box), row.name.data());
            QCOMPARE(box->isChecked(), row.designedTicked);
        }
        for (const auto& row : kOptionButtons) {
            auto* button = d().find<QRadioButton>(catalogueText(row.name));
            QCOMPARE(button->text(), catalogueText(row.caption));
            QCOMPARE(button->parentWidget()->objectName(), catalogueText(groupRow(row.group).frameName));
        }
        for (int i = 0; i < 3; ++i) {
            tabs()->setCurrentIndex(i);
            QWidget* page = tabs()->currentWidget();
            for (auto* button : page->findChildren<QAbstractButton*>()) {
                QVERIFY2(page->rect().contains(QRect(button->mapTo(page, QPoint()), button->size())),
                         qPrintable(button->objectName()));
                QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()),
                         qPrintable(button->objectName()));
            }
        }
    }

    void textsShowAsWrittenAndTheModeMenuIsInert() {
        QCOMPARE(d().find<QLabel>(QStringLiteral("Label6"))->text(),
                 QStringLiteral("*Rom(s) and folders must be one word.  And not include spaces or &*"));
        for (const char* display : {"Label1", "Label7"})
            QCOMPARE(d().find<QLabel>(QLatin1StringView(display))->textFormat(), Qt::PlainText);

        auto* zsnes = d().find<QAction>(QStringLiteral("mnuZsnesMode"));
        zsnes->trigger();
        QVERIFY(zsnes->isChecked());
        QVERIFY(!d().find<QAction>(QStringLiteral("mnuSnes9xMode"))->isEnabled());
        auto* trayMenu = d().find<QMenu>(QStringLiteral("mnuRightButton"));
        QVERIFY(!d().window().menuBar()->actions().contains(trayMenu->menuAction()));
    }

    void startSelectsEachGroupsDefaultAndDisablesEveryButton() {
        for (int number = 1; number <= 31; ++number) {
            QVERIFY(!d().option(number)->isEnabled());
            QCOMPARE(d().option(number)->isChecked(),
                     number == 21 || number == 17 || number == 1 || number == 14);
        }
        QVERIFY(frame(1)->isEnabled() && frame(4)->isEnabled());
        for (int field = 1; field <= 4; ++field) {
            QVERIFY(d().window().findChild<QWidget*>(QStringLiteral("Label%1").arg(field + 1)) == nullptr);
            QCOMPARE(d().flag(field), QStringLiteral("Label%1").arg(field + 1));
        }
    }

    void headingBoxesEnableExactlyTheirControls() {
        QVERIFY(d().field(1)->isEnabled()); // editable before its box was ever ticked
        d().clickOn(d().check(14));
        d().clickOn(d().check(14));
        QVERIFY(!d().field(1)->isEnabled());
        QCOMPARE(d().field(1)->text(), QStringLiteral("0"));

        d().clickOn(d().check(2));
        QVERIFY(optionsEnabled(1, 7) && d().option(1)->isChecked());
        d().clickOn(d().check(3));
        d().clickOn(d().check(3));
        QVERIFY(!frame(2)->isEnabled() && !d().option(8)->isEnabled() && !d().option(14)->isEnabled());
        QVERIFY(frame(1)->isEnabled() && optionsEnabled(1, 7)); // player one as it was

        d().clickOn(d().check(29));
        d().clickOn(d().option(25));
        d().clickOn(d().check(29));
        QVERIFY(d().option(25)->isChecked() && !d().option(25)->isEnabled());
        d().clickOn(d().check(29));
        QVERIFY(d().option(25)->isChecked() && d().option(25)->isEnabled());

        // A screen reader toggles a box without a click; the interlock follows all the same.
        d().check(23)->toggle();
        QVERIFY(optionsEnabled(15, 20));
    }

    void boxesOutsideTheInterlocksChangeNothingElse() {
        const auto enabledStates = [this] {
            QList<bool> states;
            for (auto* widget : d().window().findChildren<QWidget*>())
                states << widget->isEnabled();
            return states;
        };
        const auto before = enabledStates();
        for (int number : {1, 4, 13, 27, 28, 34, 35, 36})
            d().clickOn(d().check(number));
        QCOMPARE(enabledStates(), before);
    }

    void numberFieldsCorrectEachKeystroke() {
        d().typeInto(d().field(1), QStringLiteral("1"));
        QCOMPARE(d().flag(1), QStringLiteral("True"));
        QTest::keyClick(d().field(1), Qt::Key_2);
        QCOMPARE(d().field(1)->text(), QStringLiteral("9"));

        // Once the field reads "0." its value is 0, and it becomes "0" before the 5 arrives.
        d().typeInto(d().field(1), QStringLiteral("0."));
        QCOMPARE(d().field(1)->text(), QStringLiteral("0"));
        d().field(1)->selectAll();
        d().field(1)->insert(QStringLiteral("0.5")); // pasted whole
        QCOMPARE(d().field(1)->text(), QStringLiteral("0.5"));

        d().typeInto(d().field(4), QStringLiteral("30"));
        QCOMPARE(d().flag(4), QStringLiteral("False"));
        QTest::keyClick(d().field(4), Qt::Key_Backspace);
        QTest::keyClick(d().field(4), Qt::Key_Backspace);
        QCOMPARE(d().field(4)->text(), QStringLiteral("50"));
    }

    void viewSyntaxComposesTheOptionsInTheirOrder() {
        d().find<RememberedFileDialog>(QStringLiteral("CommonDialog1"))
            ->setFileName(QStringLiteral("/zsnes"));
        d().clickOn(d().check(22)); // ticked, but its field never changed: no switch yet
        d().clickOn(d().check(14));
        d().typeInto(d().field(1), QStringLiteral("3"));
        for (QAbstractButton* control : std::initializer_list<QAbstractButton*>{
                 d().check(23), d().option(18), d().check(2), d().option(2), d().check(29), d().option(25)})
            d().clickOn(control);

        viewSyntax();
        const QString expected = QStringLiteral("/zsnes -f 3 -r 3 -v 4 -1 1");
        QCOMPARE(d().syntax(), expected);
        QVERIFY(d().command(2)->isEnabled());
        d().clickOn(d().check(30)); // waits for the next press
        QCOMPARE(d().syntax(), expected);
        d().typeInto(d().field(4), QStringLiteral("60"));
        viewSyntax();
        QCOMPARE(d().syntax(), QStringLiteral("/zsnes -f 3 -p 60 -r 3 -v 4 -w -1 1"));
    }

    // Someone using the keyboard alone: accelerators reach the tabs and buttons, and Tab walks every
    // usable control of a page in its order, a frame's title before its buttons.
    void keyboardReachesEveryControl() {
        QApplication::setActiveWindow(&d().window());
        QVERIFY(QTest::qWaitForWindowActive(&d().window()));
        QTest::keyClick(&d().window(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(tabs()->currentIndex(), 1);
        // An accelerator presses the button as a click would, released a moment later.
        QTest::keyClick(&d().window(), Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(d().fakes().messages.warnings.size(), 1); // Run/Play, with nothing to run yet

        d().clickOn(d().check(29));
        d().check(29)->setFocus();
        QList<QWidget*> visited;
        for (int i = 0; i < 12; ++i) {
            visited << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited.mid(0, 3), (QList<QWidget*>{d().check(29), d().option(21), d().check(6)}));
        QCOMPARE(visited.indexOf(d().field(1)), visited.indexOf(d().check(14)) + 1);
    }

    void everyFieldHasAnAccessibleName() {
        QCOMPARE(d().field(1)->accessibleName(), QStringLiteral("Turn on frame skip"));
        QCOMPARE(d().field(4)->accessibleName(), QStringLiteral("Percentage of instructions to execute"));
        for (auto* edit : d().window().findChildren<QLineEdit*>())
            QVERIFY2(!edit->accessibleName().isEmpty(), qPrintable(edit->objectName()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
