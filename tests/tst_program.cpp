#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// The real program: how it ends when the system ends it, and its own command line, with no display.
class TestProgram : public QObject {
    Q_OBJECT

private slots:
    // Whatever ends it, Mivo saves on the way out; a save that cannot be made leaves the stored file as it
    // was, is told on standard error and ends Mivo with status 1, soon.
    void systemEndSaves_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason"); // on standard error; empty: saved
        const auto row = [](const char* name, int signal, const QStringList& arguments, const char* fault,
                            const char* reason) {
            QTest::newRow(name) << signal << arguments << fault << reason;
        };
        row("SIGTERM", SIGTERM, {}, "", "");
        row("SIGHUP", SIGHUP, {}, "", "");
        row("SIGINT", SIGINT, {}, "", "");
        row("SIGTERM, About open", SIGTERM, {"about"}, "", "");
        row("disk full", SIGTERM, {"long path"}, "full", "File too large");
        row("lock never let go", SIGTERM, {}, "lock", "lock");
    }
    void systemEndSaves() {
        QFETCH(int, signal);
        QFETCH(QStringList, arguments);
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString path = config.filePath("program_child/program_child.conf");
        const QByteArray before = "[settings]\nzsnesfilepath=/old/zsnes\n";
        QVERIFY(QDir().mkpath(fault == "lock" ? path + ".lock" : config.filePath("program_child")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        file.close();
        QProcess child;
        if (fault == "full") { // a write beyond 1000 bytes fails as on a full disk
            child.setChildProcessModifier([] {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{1000, 1000};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        child.start(MIVO_PROGRAM_CHILD, arguments);
        QVERIFY(child.waitForReadyRead(30000));
        QCOMPARE(child.readLine(), arguments.contains("about") ? "ready locked\n" : "ready\n");
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(::kill(static_cast<pid_t>(child.processId()), signal), 0);
        QVERIFY(child.waitForFinished(30000));
        QVERIFY(timer.elapsed() < 3000);
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), reason.isEmpty() ? 0 : 1);
        QCOMPARE(child.readAllStandardOutput(), "written before the end");
        const QString errors = child.readAllStandardError();
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (!reason.isEmpty()) {
            QVERIFY2(errors.contains("the settings could not be saved to " + path + ": ") &&
                         errors.contains(reason),
                     qPrintable(errors));
            QCOMPARE(file.readAll(), before);
            return;
        }
        QCOMPARE(file.readAll(), "[settings]\nIcon%20in%20tray=1\nMinimize%20to%20tray=1\n"
                                 "romuluspath=Romulus Path\nzsnesfilepath=/usr/games/zsnes\n");
    }

    // The emulator goes on after Mivo has ended, and what it then writes on its standard error does not
    // end it: the stand-in writes far more than a pipe holds once Mivo is gone, and then says it got through.
    void theEmulatorOutlivesMivo() {
        const QTemporaryDir dir;
        const QString emulator = dir.filePath("emulator");
        QFile script(emulator);
        QVERIFY(script.open(QIODevice::WriteOnly) &&
                script.write("#!/bin/sh\ncd \"$(dirname \"$0\")\" && touch started\n"
                             "for i in $(seq 400); do [ -e go ] && break; sleep 0.05; done\n"
                             "for i in $(seq 3000); do echo \"line $i of what the emulator says\" >&2; done\n"
                             "touch lived\n") > 0);
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        const QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QProcess mivo;
        mivo.start(MIVO_PROGRAM_CHILD, {"run", emulator});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("started")), 30000);
        QCOMPARE(::kill(static_cast<pid_t>(mivo.processId()), SIGTERM), 0);
        QVERIFY(mivo.waitForFinished(30000));
        QVERIFY(QFile(dir.filePath("go")).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("lived")), 30000);
    }

    void commandLineAnswersWithoutADisplay() {
        // clang-format off
        const QList<std::tuple<QStringList, int, QString, QString>> lines{ // arguments, exit code, output, errors
            {{"--version"}, 0, "Mivo 1.60\n", ""},
            {{"-platform", "xcb", "--qmljsdebugger=port:1", "--version"}, 0, "Mivo 1.60\n", ""},
            {{"-v"}, 0, "Mivo 1.60\n", ""},
            {{"--help"}, 0, "Usage: mivo", ""},
            {{"--bogus"}, 2, "", "mivo: unknown option '--bogus'\nUsage: mivo"}};
        // clang-format on
        // Of the usage, only its start is checked; every other answer must match exactly.
        const auto matches = [](const QString& actual, const QString& expected) {
            return expected.endsWith("Usage: mivo") ? actual.startsWith(expected) : actual == expected;
        };
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            qunsetenv(name);
        for (const auto& [arguments, exitCode, output, errors] : lines) {
            QProcess mivo;
            mivo.start(MIVO_PROGRAM, arguments);
            QVERIFY(mivo.waitForFinished(30000));
            QCOMPARE(mivo.exitCode(), exitCode);
            QVERIFY(matches(mivo.readAllStandardOutput(), output));
            QVERIFY(matches(mivo.readAllStandardError(), errors));
        }
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
