#include "platform/QtProgramStarter.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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
    // reaped, and the reaping is where it is told. It is told as a message box tells it, in an event loop of
    // its own, which runs until the watch holds nothing more: in the first row, while a helper the program
    // left behind lets go of its standard error.
    void earlyFailuresAreTold_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("watchTime");
        QTest::addColumn<bool>("childrenIgnored");
        QTest::addColumn<QStringList>("told"); // how it ended, then the lines; empty: nothing told
        QTest::newRow("status 127") << "sleep 1 & for i in 1 2 3 4 5 6 7 8 9 10; do echo line $i; done >&2; "
                                       "echo -n last >&2; exit 127"
                                    << 10000 << false
                                    << QStringList{"exit status 127", "line 2",  "line 3", "line 4",
                                                   "line 5",          "line 6",  "line 7", "line 8",
                                                   "line 9",          "line 10", "last"};
        QTest::newRow("status 2, one write") << "printf 'a\\nb%0600d\\n' 0 >&2; exit 2" << 10000 << false
                                             << QStringList{"exit status 2", "a", 'b' + QString(499, u'0')};
        QTest::newRow("status 2, a line over two writes")
            << "printf 'b%0300d' 0 >&2; sleep 0.2; printf '%0300d\\n' 0 >&2; exit 2" << 10000 << false
            << QStringList{"exit status 2", 'b' + QString(499, u'0')};
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
        const qsizetype descriptors = openDescriptors();
        QStringList said; // the command line, how it ended and the lines, for each time it is told
        connect(&starter, &ProgramStarter::endedEarly, this,
                [&](const QString& commandLine, const QString& howItEnded, const QStringList& lines) {
                    said += QStringList{commandLine, howItEnded} + lines;
                    QEventLoop modal;
                    QTimer check;
                    connect(&check, &QTimer::timeout, &modal, [&] {
                        if (openDescriptors() == descriptors)
                            modal.quit();
                    });
                    check.start(10);
                    modal.exec();
                });
        QVERIFY(starter.start({"/bin/sh", {"-c", script}}).started);
        QTRY_VERIFY_WITH_TIMEOUT(noChildLeft(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(openDescriptors(), descriptors, 10000); // the watch let go of the program's
        QCOMPARE(said, told.isEmpty() ? told : QStringList{"/bin/sh -c " + script} + told);
    }

    // After the watch, Mivo holds for a program only what tells it its end, and nothing once it has ended,
    // although a helper it left behind goes on holding its standard error. The relay then holds that and
    // Mivo's standard error: nothing else of Mivo's, such as a window system connection that would keep
    // Mivo's windows on screen after Mivo ends.
    void afterTheWatchOnlyARunningProgramsEndIsHeld() {
        QtProgramStarter starter{std::chrono::milliseconds(100)};
        const qsizetype descriptors = openDescriptors();
        QVERIFY(
            starter.start({"/bin/sh", {"-c", "sleep 60 & echo $$ $! > \"$0\"; exec sleep 60", file("pids")}})
                .started);
        QTRY_VERIFY_WITH_TIMEOUT(contents(file("pids")).endsWith('\n'), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(openDescriptors(), descriptors + 1, 10000);
        const QList<QByteArray> programAndHelper = contents(file("pids")).trimmed().split(' ');
        const auto errors =
            std::filesystem::read_symlink("/proc/" + programAndHelper[0].toStdString() + "/fd/2");
        const auto relayHolds = [&errors] { // the process that reads the program's standard error
            for (const auto& process : std::filesystem::directory_iterator("/proc")) {
                std::error_code unreadable;
                if (std::filesystem::read_symlink(process.path() / "fd/3", unreadable) == errors)
                    return QDir(process.path() / "fd")
                        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
            }
            return QStringList();
        };
        QTRY_COMPARE_WITH_TIMEOUT(relayHolds(), (QStringList{"2", "3"}), 10000);
        QCOMPARE(::kill(programAndHelper[0].toInt(), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(openDescriptors(), descriptors, 10000);
        QCOMPARE(::kill(programAndHelper[1].toInt(), SIGKILL), 0);
    }

    // What the emulator writes on its standard error arrives on Mivo's, whole, as fast as it is taken there,
    // and never fails: a writer that gives up on a full pipe goes on. The emulator goes on after the program
    // that started it has ended, and what it then writes on its standard error does not end it: the stand-in
    // writes far more than a pipe holds once that program is gone, and then says it got through.
    void aStartedProgramOutlivesItsStarter() {
        const QString emulator = file("emulator");
        QFile script(emulator);
        QVERIFY(script.open(QIODevice::WriteOnly) &&
                script.write(
                    "#!/bin/sh\ncd \"$(dirname \"$0\")\" && head -c 10000000 /dev/zero | tr '\\0' x >&2 &&\n"
                    "echo \"no ROM given\" >&2\n"
                    "for i in $(seq 400); do [ -e go ] && break; sleep 0.05; done\n"
                    "for i in $(seq 3000); do echo \"line $i of what the emulator says\" >&2; done\n"
                    "touch lived\n") > 0);
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        QProcess mivo; // starts the emulator as Mivo does, then waits to be ended
        mivo.start(MIVO_STARTER_CHILD, {emulator});
        // While its starter lives, what the program says on its standard error shows on the starter's.
        const QByteArray whole = QByteArray(10000000, 'x') + "no ROM given\n";
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += mivo.readAllStandardError()).size() >= whole.size(), 30000);
        QVERIFY(said == whole);
        QCOMPARE(::kill(static_cast<pid_t>(mivo.processId()), SIGTERM), 0);
        QVERIFY(mivo.waitForFinished(30000));
        QVERIFY(said + mivo.readAllStandardError() == whole); // passed on once
        QVERIFY(QFile(file("go")).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file("lived")), 30000);
    }

    // With Mivo's own standard error a full pipe that nobody reads, Mivo still tells the failure, with the
    // line the program wrote.
    void mivoGoesOnWhenNothingTakesItsStandardError() {
        std::array<int, 2> full{}; // of one page, which one page fills
        QVERIFY(::pipe2(full.data(), O_CLOEXEC) == 0 && ::fcntl(full[1], F_SETPIPE_SZ, 0) == 4096 &&
                ::write(full[1], QByteArray(4096, 'x').constData(), 4096) == 4096);
        const auto closeBoth = qScopeGuard([&full] { ::close(full[0]), ::close(full[1]); });
        QProcess mivo;
        mivo.setStandardErrorFile(QString("/proc/self/fd/%1").arg(full[1])); // opened anew, so it blocks
        mivo.start(MIVO_STARTER_CHILD, {"/bin/sh", "-c", "echo unheard >&2; exit 3"});
        QByteArray told;
        QTRY_COMPARE_WITH_TIMEOUT(told += mivo.readAllStandardOutput(), "exit status 3: unheard\n", 10000);
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
