#include "platform/QtProgramStarter.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/wait.h>

using namespace mivo;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every child has ended and been reaped; a zombie is looked at, not reaped.
bool noChildLeft() {
    siginfo_t info{};
    return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
}

qsizetype openDescriptors() {
    return QDir("/proc/self/fd").count();
}

} // namespace

// How Mivo starts the emulator and Romulus, watches their first seconds and carries their standard error.
class TestStartedProgram : public QObject {
    Q_OBJECT

    const QTemporaryDir m_dir;
    QString file(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void init() { QTest::failOnWarning(QRegularExpression("QSocketNotifier")); } // a descriptor misused

    // A real program (a shell given a script of its own) that records what it gets: no shell sees the
    // arguments; it starts afresh, in a session of its own, with nothing of Mivo's signal mask and of what
    // Mivo ignores; and once it has ended nobody is left to reap it.
    void argumentsArriveExactlyAndNoZombieStays() {
        const QString record = file("arguments");
        const QStringList arguments{"a;touch pwned",  "$(touch pwned)|`touch pwned`",
                                    "\"q\" 'q' \\ *", "two  blanks\nnew line",
                                    QString(),        "/roms/Jürgen's (E).smc"};
        const QString script = "[ $(cut -d' ' -f6 /proc/$$/stat) = $$ ] && " // a session's leader
                               "printf '%s\\0' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"";
        const QString awk = "/^Sig(Blk|Ign)/ { print $2 > \"" + record + ".signals\" }"; // found on PATH
        sigset_t usr1{};                                                                 // empty
        sigaddset(&usr1, SIGUSR1);
        QVERIFY(::pthread_sigmask(SIG_BLOCK, &usr1, nullptr) == 0 &&
                std::signal(SIGPIPE, SIG_IGN) != SIG_ERR && std::signal(SIGCHLD, SIG_IGN) != SIG_ERR);
        const bool started =
            QtProgramStarter().start({"awk", {awk, "/proc/self/status"}}).started &&
            QtProgramStarter().start({"/bin/sh", QStringList{"-c", script, record} + arguments}).started;
        QVERIFY(::pthread_sigmask(SIG_UNBLOCK, &usr1, nullptr) == 0 &&
                std::signal(SIGPIPE, SIG_DFL) != SIG_ERR && std::signal(SIGCHLD, SIG_DFL) != SIG_ERR &&
                started);
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(contents(record)).split(QChar()),
                                  arguments + QStringList{QString()}, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(contents(record + ".signals").count('\n'), 2, 10000);
        const QList<QByteArray> blockedAndIgnored = contents(record + ".signals").split('\n');
        QCOMPARE(blockedAndIgnored[0].toULongLong(nullptr, 16), 0u);
        QCOMPARE(blockedAndIgnored[1].toULongLong(nullptr, 16) &
                     ((1u << (SIGPIPE - 1)) | (1u << (SIGCHLD - 1))),
                 0u);
        QTRY_VERIFY_WITH_TIMEOUT(noChildLeft(), 10000);
    }

    // Within the watch, a failure is told with the line, the status or the signal and the last ten lines
    // of standard error, each cut at 500 bytes; an end with status 0, a failure after the watch, or one
    // that a Mivo started with SIGCHLD ignored never learns of, is not. Once no child is left, each was
    // reaped, and the reaping is where it is told.
    void earlyFailuresAreTold_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("watchTime");
        QTest::addColumn<bool>("childrenIgnored");
        QTest::addColumn<QStringList>("told"); // how it ended, then the lines; empty: nothing told
        QTest::newRow("status 127")
            << "for i in 1 2 3 4 5 6 7 8 9 10; do echo line $i; done >&2; echo -n last >&2; exit 127" << 10000
            << false << QStringList{"exit status 127", "line 2", "line 3", "line 4",  "line 5", "line 6",
                                    "line 7",          "line 8", "line 9", "line 10", "last"};
        QTest::newRow("status 2, one write") << "printf 'a\\nb%0600d\\n' 0 >&2; exit 2" << 10000 << false
                                             << QStringList{"exit status 2", "a", 'b' + QString(499, u'0')};
        QTest::newRow("signal") << "kill -KILL $$" << 10000 << false
                                << QStringList{"signal SIGKILL (Killed)"};
        QTest::newRow("status 0") << "echo fine >&2" << 10000 << false << QStringList{};
        QTest::newRow("failure after the watch") << "sleep 0.5; exit 3" << 100 << false << QStringList{};
        QTest::newRow("SIGCHLD ignored") << "sleep 0.2; exit 3" << 10000 << true << QStringList{};
    }
    void earlyFailuresAreTold() {
        QFETCH(QString, script);
        QFETCH(int, watchTime);
        QFETCH(bool, childrenIgnored);
        QFETCH(QStringList, told);
        const auto before = std::signal(SIGCHLD, childrenIgnored ? SIG_IGN : SIG_DFL);
        const auto restore = qScopeGuard([before] { std::signal(SIGCHLD, before); });
        QtProgramStarter starter{std::chrono::milliseconds(watchTime)};
        const QSignalSpy spy(&starter, &ProgramStarter::endedEarly);
        const qsizetype descriptors = openDescriptors();
        QVERIFY(starter.start({"/bin/sh", {"-c", script}}).started);
        QTRY_VERIFY_WITH_TIMEOUT(noChildLeft(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(openDescriptors(), descriptors, 10000); // the watch let go of the program's
        QCOMPARE(spy.size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) {
            QCOMPARE(spy[0][0].toString(), "/bin/sh -c " + script);
            QCOMPARE(QStringList{spy[0][1].toString()} + spy[0][2].toStringList(), told);
        }
    }

    // The emulator goes on after the program that started it has ended, and what it then writes on its
    // standard error does not end it: the stand-in writes far more than a pipe holds once that program is
    // gone, and then says it got through.
    void aStartedProgramOutlivesItsStarter() {
        const QString emulator = file("emulator");
        QFile script(emulator);
        QVERIFY(
            script.open(QIODevice::WriteOnly) &&
            script.write("#!/bin/sh\ncd \"$(dirname \"$0\")\" && echo \"no ROM given\" >&2 && touch started\n"
                         "for i in $(seq 400); do [ -e go ] && break; sleep 0.05; done\n"
                         "for i in $(seq 3000); do echo \"line $i of what the emulator says\" >&2; done\n"
                         "touch lived\n") > 0);
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        QProcess mivo; // starts the emulator as Mivo does, then waits to be ended
        mivo.start(MIVO_STARTER_CHILD, {emulator});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file("started")), 30000);
        // While its starter lives, what the program says on its standard error shows on the starter's.
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += mivo.readAllStandardError()) == "no ROM given\n", 30000);
        QCOMPARE(::kill(static_cast<pid_t>(mivo.processId()), SIGTERM), 0);
        QVERIFY(mivo.waitForFinished(30000));
        QCOMPARE(said + mivo.readAllStandardError(), "no ROM given\n"); // passed on once, whole
        QVERIFY(QFile(file("go")).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file("lived")), 30000);
    }

    void failedStartGivesTheReason() {
        // The reason is the system's message for the error.
        // clang-format off
        const QList<std::pair<QString, int>> programs{{file("missing"), ENOENT}, {"/etc/passwd", EACCES},
                                                      {m_dir.path(), EISDIR}, {QString(), ENOENT}};
        // clang-format on
        const qsizetype descriptors = openDescriptors();
        for (const auto& [program, errorNumber] : programs) {
            const StartResult result = QtProgramStarter().start({program, {}});
            QVERIFY(!result.started);
            QCOMPARE(result.failureReason, QString::fromLocal8Bit(std::strerror(errorNumber)));
        }
        QCOMPARE(openDescriptors(), descriptors);
    }
};

QTEST_MAIN(TestStartedProgram)
#include "tst_started_program.moc"
