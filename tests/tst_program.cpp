#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Whether the process has a handler of its own for `signal`: from then on the signal no longer ends it
// by itself, and Mivo hears of it once its event loop runs.
bool catches(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1U) != 0;
    }
    return false;
}

} // namespace

// The program as shipped, started as a user starts it, with the values a user stored before.
class TestProgram : public QObject {
    Q_OBJECT

private slots:
    // Whatever ends it, Mivo saves on the way out what it restored at start; a save that cannot be made
    // leaves the stored file as it was, is told on standard error and ends Mivo with status 1, soon.
    void systemEndSavesWhatWasRestored_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason"); // on standard error; empty: saved
        QTest::newRow("SIGTERM") << SIGTERM << QString() << QString();
        QTest::newRow("SIGHUP") << SIGHUP << QString() << QString();
        QTest::newRow("SIGINT") << SIGINT << QString() << QString();
        QTest::newRow("disk full") << SIGTERM << QString("full") << QString("File too large");
        QTest::newRow("lock never let go") << SIGTERM << QString("lock") << QString("lock");
    }
    void systemEndSavesWhatWasRestored() {
        QFETCH(int, signal);
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const QTemporaryDir config;
        const QString path = config.filePath("mivo/mivo.conf");
        // Not one of them is what Mivo holds when nothing is stored; a long path makes a file too large
        // for a small disk.
        const QByteArray stored = "[settings]\nIcon%20in%20tray=0\nMinimize%20to%20tray=0\n"
                                  "romuluspath=/opt/romulus/romulus\nzsnesfilepath=/opt/zsnes/" +
                                  QByteArray(fault == "full" ? 2000 : 5, 'z') + '\n';
        QVERIFY(QDir().mkpath(fault == "lock" ? path + ".lock" : config.filePath("mivo")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(stored) == stored.size());
        file.close();
        QProcess mivo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", config.path());
        mivo.setProcessEnvironment(environment);
        if (fault == "full") { // a write beyond 1000 bytes fails as on a full disk
            mivo.setChildProcessModifier([] {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{1000, 1000};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        mivo.start(MIVO_PROGRAM);
        QVERIFY(mivo.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(catches(mivo.processId(), signal), 30000);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(::kill(static_cast<pid_t>(mivo.processId()), signal), 0);
        QVERIFY(mivo.waitForFinished(10000) && timer.elapsed() < 3000);
        QCOMPARE(mivo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(mivo.exitCode(), reason.isEmpty() ? 0 : 1);
        const QString errors = mivo.readAllStandardError();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), stored);
        if (reason.isEmpty())
            return;
        const QString told = "mivo: the settings could not be saved to " + path + ": ";
        QVERIFY2(errors.contains(told) && errors.section(told, 1).section('\n', 0, 0).contains(reason),
                 qPrintable(errors));
    }

    void commandLineAnswersWithoutADisplay() {
        const QString usage =
            "Usage: mivo [OPTION]... [ROM]\nLauncher for the ZSNES Super Nintendo emulator. A ROM given here "
            "is "
            "chosen\nas Load Rom..... chooses it; nothing starts before Run/Play is pressed.\n\n"
            "  -h, --help     show this help and exit\n  -v, --version  show the version and exit\n\n"
            "Qt's own options, such as -platform or -style, are passed to Qt.\n";
        // Qt's own options go through to Qt: a session manager restarts Mivo with -session, and users pick a
        // style or a window's geometry, also with two dashes and "="; a lone dash is no option. Any other
        // word is the ROM, and there is one at most.
        // clang-format off
        const QList<std::tuple<QStringList, int, QString, QString>> lines{ // arguments, exit code, output, errors
            {{"--version"}, 0, "Mivo 1.60\n", ""},
            {{"-platform", "xcb", "--qmljsdebugger=port:1", "-session", "1a2b3c_4", "--style=fusion", "-geometry",
              "640x480", "-v"}, 0, "Mivo 1.60\n", ""},
            {{"-", "--help"}, 0, usage, ""},
            {{"-h"}, 0, usage, ""},
            {{"-session", "x", "--bogus", "--help"}, 2, "", "mivo: unknown option '--bogus'\n" + usage},
            {{"-style", "fusion", "-reverse", "a.smc", "/b c.smc", "--help"}, 2, "",
             "mivo: one ROM at a time, not 'a.smc' and '/b c.smc'\n" + usage}};
        // clang-format on
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            qunsetenv(name);
        for (const auto& [arguments, exitCode, output, errors] : lines) {
            QProcess mivo;
            mivo.start(MIVO_PROGRAM, arguments);
            QVERIFY(mivo.waitForFinished(30000));
            QCOMPARE(mivo.exitCode(), exitCode);
            QCOMPARE(mivo.readAllStandardOutput(), output);
            QCOMPARE(mivo.readAllStandardError(), errors);
        }
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
