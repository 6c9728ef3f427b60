#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real program: how it ends when the system ends it, and its own command line, with no display.
class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void systemEndSavesLikeTheCloseBox() {
        const QList<std::pair<int, QString>> ends{
            {SIGTERM, ""}, {SIGHUP, ""}, {SIGINT, ""}, {SIGTERM, "about"}};
        for (const auto& [signal, state] : ends) {
            const QTemporaryDir config;
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
            QProcess child;
            child.start(MIVO_PROGRAM_CHILD, {state});
            QVERIFY(child.waitForReadyRead(30000));
            QCOMPARE(child.readLine(), state.isEmpty() ? "ready\n" : "ready locked\n");
            QCOMPARE(::kill(static_cast<pid_t>(child.processId()), signal), 0);
            QVERIFY(child.waitForFinished(30000));
            QVERIFY(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0);
            QCOMPARE(child.readAll(), "written before the end");
            QFile file(config.filePath("program_child/program_child.conf"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), "[settings]\nIcon%20in%20tray=1\nMinimize%20to%20tray=1\n"
                                     "romuluspath=Romulus Path\nzsnesfilepath=/usr/games/zsnes\n");
        }
    }

    void commandLineAnswersWithoutADisplay() {
        // clang-format off
        const QList<std::tuple<QStringList, int, QString, QString>> lines{ // arguments, exit code, output, errors
            {{"--version"}, 0, "Mivo 1.60\n", ""},
            {{"-platform", "xcb", "--qmljsdebugger=port:1", "--version"}, 0, "Mivo 1.60\n", ""},
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
