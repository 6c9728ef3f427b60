#include "MainWindowDriver.h"
#include "core/ProgramTexts.h"
#include "ui/RememberedFileDialog.h"
#include "ui/dialogs/FilePathsDialog.h"

#include <QMenu>
#include <QPointer>

using namespace mivo;

namespace {
using Writes = QList<QPair<QString, QString>>;
const QString kMinimize = QStringLiteral("Minimize to tray");
const QString kIcon = QStringLiteral("Icon in tray");
const QString kZsnesKey = QStringLiteral("zsnesfilepath");
const QString kRomulusKey = QStringLiteral("romuluspath");
} // namespace

// What Mivo restores at start, what it stores when it ends, and how it lives in the tray.
class TestStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& d() { return *m_driver; }
    fakes::FakeSettingsStore& store() { return d().fakes().settings; }
    fakes::FakeTrayIcon& tray() { return d().fakes().tray; }

    void startWith(const QMap<QString, QString>& stored) {
        m_driver = std::make_unique<testing::MainWindowDriver>();
        store().values = stored;
        d().start();
    }
    QAbstractButton* pathsCommand(int number) {
        return d().command(number, testing::MainWindowDriver::pathsWindow());
    }
    QString remembered(const char* dialog) {
        return d().find<RememberedFileDialog>(QLatin1StringView(dialog))->fileName();
    }

private slots:
    void cleanup() { m_driver.reset(); }

    void firstStartAndItsShutdown() {
        startWith({});
        QVERIFY(d().check(36)->isChecked() && d().check(37)->isChecked());
        QVERIFY(tray().isInTray());
        QCOMPARE(d().syntax(), QString());
        QVERIFY(d().command(1)->isEnabled() && d().command(2)->isEnabled());
        QCOMPARE(remembered("CommonDialog3"), QStringLiteral("Romulus Path"));
        QVERIFY(!testing::MainWindowDriver::pathsWindow()->isVisible()); // made, but hidden

        QVERIFY(d().window().close());
        const Writes expected{{kMinimize, "1"}, {kIcon, "1"}, {kZsnesKey, ""}, {kRomulusKey, "Romulus Path"}};
        QCOMPARE(store().writes, expected);
        QCOMPARE(store().flushes, 1);
        QVERIFY(!tray().isInTray());
        QCOMPARE(d().fakes().processEnd.ends, 1);
    }

    void restoredZsnesPathDecidesTheButtons_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("usable");
        QTest::newRow("a path") << "/usr/games/zsnes" << true;
        QTest::newRow("the placeholder") << QString::fromLatin1(texts::kZsnesPlaceholder) << false;
        QTest::newRow("the placeholder in other case") << "goto ''setup'' to choose the zsnes path" << true;
    }

    void restoredZsnesPathDecidesTheButtons() {
        QFETCH(QString, stored);
        QFETCH(bool, usable);
        startWith({{kZsnesKey, stored}});
        QCOMPARE(d().syntax(), stored);
        QCOMPARE(remembered("CommonDialog1"), stored);
        QCOMPARE(d().command(1)->isEnabled(), usable);
        QCOMPARE(d().command(2)->isEnabled(), usable);
        if (usable)
            QVERIFY(pathsCommand(5)->isEnabled());
    }

    void trayValuesAreRestored_data() {
        QTest::addColumn<QString>("minimize");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<int>("minimizeState");
        QTest::addColumn<bool>("minimizeEnabled");
        QTest::addColumn<bool>("inTray");
        QTest::newRow("icon off clears minimise") << "1"
                                                  << "0" << int(Qt::Unchecked) << false << false;
        QTest::newRow("minimise off, icon on") << "0"
                                               << "1" << int(Qt::Unchecked) << true << true;
        QTest::newRow("greyed minimise") << "2"
                                         << "1" << int(Qt::PartiallyChecked) << true << true;
        QTest::newRow("not numbers keep the designed values") << "yes"
                                                              << "" << int(Qt::Checked) << true << true;
        QTest::newRow("out of range keeps the designed values") << "7"
                                                                << "-1" << int(Qt::Checked) << true << true;
        QTest::newRow("fractions keep the designed values") << "0.5"
                                                            << "1e0" << int(Qt::Checked) << true << true;
    }

    void trayValuesAreRestored() {
        QFETCH(QString, minimize);
        QFETCH(QString, icon);
        QFETCH(int, minimizeState);
        QFETCH(bool, minimizeEnabled);
        QFETCH(bool, inTray);
        startWith({{kMinimize, minimize}, {kIcon, icon}});
        QCOMPARE(int(d().check(36)->checkState()), minimizeState);
        QCOMPARE(d().check(36)->isEnabled(), minimizeEnabled);
        QCOMPARE(tray().isInTray(), inTray);
    }

    void iconOffIsStoredAsTwoZeros() {
        startWith({{kMinimize, "1"}, {kIcon, "0"}});
        QVERIFY(d().window().close());
        QCOMPARE(store().values.value(kMinimize), QStringLiteral("0"));
        QCOMPARE(store().values.value(kIcon), QStringLiteral("0"));
    }

    void closedPathsWindowIsMadeAgainToBeSaved() {
        startWith({{kZsnesKey, "/usr/games/zsnes"}, {kRomulusKey, "/opt/Romulus"}});
        d().trigger("mnuSettings");
        QPointer<QWidget> paths = testing::MainWindowDriver::pathsWindow();
        testing::MainWindowDriver::click(pathsCommand(8)); // Romulus: none
        paths->close();
        QTRY_VERIFY(paths.isNull());

        d().trigger("mnuExit");
        QCOMPARE(store().values.value(kZsnesKey), QStringLiteral("/usr/games/zsnes"));
        QCOMPARE(store().values.value(kRomulusKey), QString::fromLatin1(texts::kRomulusPlaceholder));
        QCOMPARE(d().fakes().processEnd.ends, 1);
    }

    void trayExitEndsWithoutSaving() {
        startWith({});
        auto* trayMenu = d().find<QMenu>(QStringLiteral("mnuRightButton"));
        QCOMPARE(tray().popupMenu, trayMenu);
        trayMenu->actions().front()->trigger();
        QCOMPARE(d().fakes().processEnd.ends, 1);
        QVERIFY(store().writes.isEmpty());
        QCOMPARE(store().flushes, 0);
    }

    void iconBoxGovernsTheTrayAndTheMinimiseBox() {
        startWith({});
        d().clickOn(d().check(37));
        QVERIFY(!tray().isInTray());
        QVERIFY(!d().check(36)->isChecked() && !d().check(36)->isEnabled());
        d().clickOn(d().check(37));
        QVERIFY(tray().isInTray());
        QVERIFY(!d().check(36)->isChecked() && d().check(36)->isEnabled());
    }

    void minimisingHidesOnlyIntoAnExistingTray_data() {
        QTest::addColumn<bool>("minimizeToTray");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("asked, with a tray") << true << true << true;
        QTest::newRow("asked, no tray on this desktop") << true << false << false;
        QTest::newRow("not asked") << false << true << false;
    }

    void minimisingHidesOnlyIntoAnExistingTray() {
        QFETCH(bool, minimizeToTray);
        QFETCH(bool, trayAvailable);
        QFETCH(bool, hidden);
        startWith({{kMinimize, minimizeToTray ? "1" : "0"}});
        tray().available = trayAvailable;
        d().window().setWindowState(Qt::WindowNoState); // a resize or restore never hides
        QVERIFY(d().window().isVisible());
        d().window().setWindowState(Qt::WindowMinimized); // as the window manager reports it
        QCoreApplication::sendPostedEvents(&d().window());
        QCOMPARE(!d().window().isVisible(), hidden);
        QVERIFY(d().window().isMinimized());
    }

    void leftButtonBringsTheWindowBackNormal() {
        startWith({});
        d().window().setWindowState(Qt::WindowMinimized);
        QCoreApplication::sendPostedEvents(&d().window());
        QVERIFY(!d().window().isVisible());
        emit tray().leftButtonClicked();
        QVERIFY(d().window().isVisible());
        QVERIFY(!d().window().isMinimized());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
