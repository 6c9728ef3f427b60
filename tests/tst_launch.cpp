#include "MainWindowDriver.h"
#include "RecordingStandIn.h"
#include "core/ProgramTexts.h"
#include "platform/QtProgramStarter.h"
#include "ui/dialogs/FilePathsDialog.h"

#include <QPushButton>

using namespace mivo;

namespace {
const QString kZsnes = QStringLiteral("/usr/games/zsnes");
}

// "Run/Play": the command line it starts and what becomes of the window afterwards.
class TestLaunch : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& d() { return *m_driver; }
    QList<ProgramInvocation>& started() { return d().fakes().programs.started; }

    void startWithZsnesAt(const QString& path) {
        m_driver = std::make_unique<testing::MainWindowDriver>();
        d().fakes().settings.values.insert(QStringLiteral("zsnesfilepath"), path);
        d().start();
    }
    void chooseRom(const QString& rom) {
        d().fakes().fileDialogs.answers.push_back(rom);
        d().clickOn(d().command(4));
    }
    void press(int command) { d().clickOn(d().command(command)); }

private slots:
    void cleanup() { m_driver.reset(); }

    void runsTheDisplayedLineWithTheRom() {
        startWithZsnesAt(kZsnes);
        d().check(36)->setChecked(false);
        press(2); // before any View Syntax: the bare path
        chooseRom(QStringLiteral("/roms/a.smc"));
        press(2);
        QCOMPARE(started().size(), 2);
        QCOMPARE(started()[0], (ProgramInvocation{kZsnes, {}}));
        QCOMPARE(started()[1], (ProgramInvocation{kZsnes, {"/roms/a.smc"}}));
    }

    void optionsTickedAfterViewSyntaxWaitForTheNextPress() {
        startWithZsnesAt(kZsnes);
        d().check(36)->setChecked(false);
        d().clickOn(d().check(1));
        press(1);
        d().clickOn(d().check(30));
        press(2);
        QCOMPARE(started().back(), (ProgramInvocation{kZsnes, {"-0"}}));
    }

    void successMinimisesOnlyWhenAsked() {
        startWithZsnesAt(kZsnes);
        press(2);
        QVERIFY(d().window().isMinimized());
        QCoreApplication::sendPostedEvents(&d().window());
        QVERIFY(!d().window().isVisible()); // into the tray

        startWithZsnesAt(kZsnes);
        d().clickOn(d().check(36));
        press(2);
        QCoreApplication::sendPostedEvents(&d().window());
        QVERIFY(!d().window().isMinimized());
        QVERIFY(d().window().isVisible());
    }

    void aFailedStartIsToldAndLeavesTheWindowAlone() {
        startWithZsnesAt(QStringLiteral("/nowhere/zsnes"));
        d().fakes().programs.failWith = QStringLiteral("No such file or directory");
        press(2);
        QVERIFY(!d().window().isMinimized());
        const auto& warnings = d().fakes().messages.warnings;
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings[0].second.contains(QStringLiteral("/nowhere/zsnes")));
        QVERIFY(warnings[0].second.contains(QStringLiteral("No such file or directory")));
    }

    void anEmptyLineIsNeverStarted() {
        startWithZsnesAt(QString()); // a first start: no path, both buttons usable
        QVERIFY(d().command(2)->isEnabled());
        press(2);
        QVERIFY(started().isEmpty());
        QCOMPARE(d().fakes().messages.warnings.size(), 1);
        QVERIFY(!d().window().isMinimized());
    }

    void romulusIsStartedFromItsPathOrMissed() {
        startWithZsnesAt(kZsnes);
        d().trigger("mnuRomulus"); // first run: the field's own text is tried as a program
        QCOMPARE(started().back(), (ProgramInvocation{"Romulus Path", {}}));
        QCOMPARE(d().fakes().beeper.beeps, 0);

        d().trigger("mnuSettings");
        testing::MainWindowDriver::click(d().command(8, testing::MainWindowDriver::pathsWindow()));
        d().trigger("mnuRomulus");
        QCOMPARE(started().size(), 1);
        QCOMPARE(d().fakes().beeper.beeps, 1);
        QVERIFY(!d().window().isEnabled()); // until "Romulus Not Found" is gone
    }

    void informationWindowsLockTheMainWindow() {
        startWithZsnesAt(kZsnes);
        d().trigger("mnuAbout");
        QCOMPARE(d().fakes().beeper.beeps, 1);
        QVERIFY(!d().window().isEnabled());
        QVERIFY(!d().window().close()); // not even the close box gets through
        QCOMPARE(d().fakes().processEnd.ends, 0);
    }

    // The whole road on a real program: the emulator gets exactly the words of the line, a ROM name
    // full of shell characters arrives as one of them, and no ended program is left unreaped.
    void realProgramReceivesTheLineWordByWord() {
        testing::RecordingStandIn standIn;
        QtProgramStarter programs;
        m_driver = std::make_unique<testing::MainWindowDriver>(&programs);
        d().start();
        d().check(36)->setChecked(false);
        d().trigger("mnuSettings");
        d().fakes().fileDialogs.answers.push_back(standIn.program());
        testing::MainWindowDriver::click(d().command(3, testing::MainWindowDriver::pathsWindow()));

        d().clickOn(d().check(29));
        d().clickOn(d().option(25));
        d().clickOn(d().check(14));
        d().typeInto(d().field(1), QStringLiteral("4.5"));
        press(1);
        const QString rom = QStringLiteral("/roms/a;touch${IFS}pwned|$(reboot)`id`'q\"\\&.smc");
        chooseRom(rom);
        press(2);
        press(2);

        QTRY_COMPARE_WITH_TIMEOUT(standIn.recordingFiles().size(), 2, 10000);
        const QStringList expected{"-f", "4.5", "-v", "4", rom};
        for (const QStringList& received : standIn.received())
            QCOMPARE(received, expected);
        QVERIFY(!QFile::exists(standIn.path(QStringLiteral("pwned"))));
        for (const QString& pid : standIn.processIds())
            QTRY_VERIFY_WITH_TIMEOUT(testing::hasEnded(pid), 10000);
        QCOMPARE(testing::zombieChildren(), QStringList());
    }
};

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
