#include "MainWindowDriver.h"
#include "RecordingStandIn.h"
#include "platform/QtProgramStarter.h"

#include <QClipboard>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <csignal>

using namespace mivo;

// Ends by the system, the tray's "Exit" under a lock, Romulus in a folder with a blank, a stored
// greyed box, long number texts and the program's own command line.
class TestMends : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& start(const QMap<QString, QString>& stored,
                                     ProgramStarter* programs = nullptr) {
        m_driver = std::make_unique<testing::MainWindowDriver>(programs);
        m_driver->fakes().settings.values = stored;
        m_driver->start();
        return *m_driver;
    }

private slots:
    void cleanup() { m_driver.reset(); }

    void systemEndSavesLikeTheCloseBox_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("state");
        QTest::newRow("SIGTERM") << int(SIGTERM) << "";
        QTest::newRow("SIGHUP") << int(SIGHUP) << "";
        QTest::newRow("SIGINT") << int(SIGINT) << "";
        QTest::newRow("SIGTERM with About open") << int(SIGTERM) << "about";
        QTest::newRow("SIGTERM hidden in the tray") << int(SIGTERM) << "tray";
    }
    void systemEndSavesLikeTheCloseBox() {
        QFETCH(int, signal);
        QFETCH(QString, state);
        QTemporaryDir config;
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral(MIVO_MENDS_CHILD), {QStringLiteral("/usr/games/zsnes"), state});
        QVERIFY(child.waitForReadyRead(30000));
        QCOMPARE(child.readLine().trimmed(), state.isEmpty() ? "ready shown" : "ready locked or hidden");
        QCOMPARE(::kill(static_cast<pid_t>(child.processId()), signal), 0);
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);

        QSettings file(config.filePath(QStringLiteral("mends_child/mends_child.conf")), QSettings::IniFormat);
        file.beginGroup(QStringLiteral("settings"));
        QMap<QString, QString> stored;
        for (const QString& key : file.childKeys())
            stored.insert(key, file.value(key).toString());
        const QMap<QString, QString> expected{{"Minimize to tray", "1"},
                                              {"Icon in tray", "1"},
                                              {"zsnesfilepath", "/usr/games/zsnes"},
                                              {"romuluspath", "Romulus Path"}};
        QCOMPARE(stored, expected);
    }

    void trayExitWorksWhileAnInformationWindowLocks() {
        testing::MainWindowDriver& d = start({});
        d.trigger("mnuAbout");
        QVERIFY(!d.window().isEnabled());
        auto* trayMenu = d.find<QMenu>(QStringLiteral("mnuRightButton"));
        trayMenu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(trayMenu));
        QAction* exit = trayMenu->actions().front();
        QTest::mouseClick(trayMenu, Qt::LeftButton, {}, trayMenu->actionGeometry(exit).center());
        QCOMPARE(d.fakes().processEnd.ends, 1);
        QVERIFY(d.fakes().settings.writes.isEmpty());
    }

    void romulusInAFolderWithABlankStartsWithNoArguments() {
        testing::RecordingStandIn standIn;
        const QString romulus = standIn.path(QStringLiteral("My Romulus/romulus"));
        QVERIFY(QDir(standIn.path({})).mkdir(QStringLiteral("My Romulus")));
        QVERIFY(QFile::copy(standIn.program(), romulus));
        QtProgramStarter programs;
        testing::MainWindowDriver& d = start({{"romuluspath", romulus}}, &programs);
        d.trigger("mnuRomulus");
        QTRY_COMPARE(standIn.received(), QList<QStringList>{QStringList()});
        QVERIFY(d.fakes().messages.warnings.isEmpty());
    }

    void aStoredGreyedBoxTakesOnlyTwoStatesFromTheUser() {
        testing::MainWindowDriver& d = start({{"Minimize to tray", "2"}});
        QCOMPARE(d.check(36)->checkState(), Qt::PartiallyChecked);
        for (const Qt::CheckState expected : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
            d.clickOn(d.check(36));
            QCOMPARE(d.check(36)->checkState(), expected);
        }
        d.trigger("mnuExit");
        QCOMPARE(d.fakes().settings.values.value(QStringLiteral("Minimize to tray")), QStringLiteral("1"));
    }

    void aLongPastedNumberIsKeptWhole() {
        testing::MainWindowDriver& d = start({});
        const QString text = QString(39999, u'0') + u'5';
        QApplication::clipboard()->setText(text);
        d.showTabOf(d.field(1));
        d.field(1)->selectAll();
        QTest::keyClick(d.field(1), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(d.field(1)->text(), text);
        QCOMPARE(d.flag(1), QStringLiteral("True"));
    }

    void commandLineAnswersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("errorStart");
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Mivo 1.60\n"
                                 << "";
        QTest::newRow("version after Qt's own option")
            << QStringList{"-platform", "xcb", "--version"} << 0 << "Mivo 1.60\n"
            << "";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: mivo"
                              << "";
        QTest::newRow("unknown") << QStringList{"--bogus"} << 2 << ""
                                 << "mivo: unknown option '--bogus'\nUsage: mivo";
    }
    void commandLineAnswersWithoutADisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, errorStart);
        QProcess mivo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1StringView(name));
        mivo.setProcessEnvironment(environment);
        mivo.start(QStringLiteral(MIVO_PROGRAM), arguments);
        QVERIFY(mivo.waitForFinished(30000));
        QCOMPARE(mivo.exitCode(), exitCode);
        const QString standardOutput = QString::fromUtf8(mivo.readAllStandardOutput());
        const QString standardError = QString::fromUtf8(mivo.readAllStandardError());
        QVERIFY2(out.isEmpty() || out.endsWith(u'\n') ? standardOutput == out
                                                      : standardOutput.startsWith(out),
                 qPrintable(standardOutput));
        QVERIFY2(errorStart.isEmpty() ? standardError.isEmpty() : standardError.startsWith(errorStart),
                 qPrintable(standardError));
    }
};

QTEST_MAIN(TestMends)
#include "tst_mends.moc"
