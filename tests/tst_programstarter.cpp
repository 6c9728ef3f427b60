#include "platform/QtProgramStarter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

using namespace mivo;

namespace {

// Writes each argument it gets, NUL-terminated, to "<pid>.args" in the folder named by
// MIVO_RECORD_DIR. The rename makes a file appear only once it is complete.
constexpr char kRecorderScript[] = "#!/bin/sh\n"
                                   "out=\"$MIVO_RECORD_DIR/$$\"\n"
                                   "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$out.tmp\"\n"
                                   "mv \"$out.tmp\" \"$out.args\"\n";

QString writeScript(const QTemporaryDir& dir, const QByteArray& content, QFile::Permissions permissions) {
    const QString path = dir.filePath(QStringLiteral("recorder.sh"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.setPermissions(permissions))
        return {};
    return path;
}

QStringList recordings(const QDir& folder) {
    return folder.entryList({QStringLiteral("*.args")}, QDir::Files, QDir::Name);
}

QStringList recordedArguments(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<unreadable>")};
    QStringList arguments;
    for (const QByteArray& argument : file.readAll().split('\0'))
        arguments.append(QString::fromUtf8(argument));
    arguments.removeLast(); // after the last terminator
    return arguments;
}

// One line of /proc/<pid>/stat: "pid (name) state ppid ..."; the name may hold blanks and brackets.
struct ProcessState {
    char state = '?';
    pid_t parent = 0;
};

std::optional<ProcessState> processState(const QString& statPath) {
    QFile file(statPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = file.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 2 || fields.at(0).isEmpty())
        return std::nullopt;
    return ProcessState{fields.at(0).at(0), static_cast<pid_t>(fields.at(1).toInt())};
}

bool hasEnded(const QString& pid) {
    const auto state = processState(QStringLiteral("/proc/%1/stat").arg(pid));
    return !state || state->state == 'Z';
}

QStringList zombieChildren() {
    QStringList zombies;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto state = processState(proc.filePath(entry + QStringLiteral("/stat")));
        if (state && state->parent == ::getpid() && state->state == 'Z')
            zombies.append(entry);
    }
    return zombies;
}

} // namespace

class TestProgramStarter : public QObject {
    Q_OBJECT

private slots:
    void argumentsArriveExactlyAndNoShellSeesThem();
    void failureGivesTheReason_data();
    void failureGivesTheReason();
};

void TestProgramStarter::argumentsArriveExactlyAndNoShellSeesThem() {
    QTemporaryDir dir;
    const QString script =
        writeScript(dir, kRecorderScript, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!script.isEmpty());
    const QDir records(dir.path());
    qputenv("MIVO_RECORD_DIR", QFile::encodeName(dir.path()));
    // A shell would run "touch pwned" in the current folder; it must stay empty of that file.
    const QString previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    const QStringList arguments = {
        QStringLiteral("-v"),
        QStringLiteral("a;touch pwned"),
        QStringLiteral("|touch pwned"),
        QStringLiteral("$(touch pwned)"),
        QStringLiteral("`touch pwned`"),
        QStringLiteral("\"double\" 'single'"),
        QStringLiteral("back\\slash"),
        QStringLiteral("*"),
        QStringLiteral("two  blanks"),
        QStringLiteral("line\nbreak"),
        QString(),
        QStringLiteral("/roms/Jürgen's Spiel (E) [!].smc"),
    };
    QtProgramStarter starter;
    const StartResult first = starter.start({script, arguments});
    const StartResult second = starter.start({script, {QStringLiteral("second")}});
    QVERIFY(QDir::setCurrent(previousFolder));
    qunsetenv("MIVO_RECORD_DIR");

    QVERIFY2(first.started, qPrintable(first.failureReason));
    QVERIFY2(second.started, qPrintable(second.failureReason));
    QTRY_COMPARE_WITH_TIMEOUT(recordings(records).size(), 2, 10000);
    QList<QStringList> received;
    for (const QString& recording : recordings(records))
        received.append(recordedArguments(records.filePath(recording)));
    QVERIFY2(received.contains(arguments), qPrintable(received.constFirst().join(u'|')));
    QVERIFY(received.contains(QStringList{QStringLiteral("second")}));
    QVERIFY(!QFileInfo::exists(records.filePath(QStringLiteral("pwned"))));

    // Both programs are done: each must have been reaped by someone other than us.
    for (const QString& recording : recordings(records))
        QTRY_VERIFY_WITH_TIMEOUT(hasEnded(QFileInfo(recording).completeBaseName()), 10000);
    QCOMPARE(zombieChildren(), QStringList());
}

void TestProgramStarter::failureGivesTheReason_data() {
    QTest::addColumn<QString>("program"); // "<dir>" stands for a fresh temporary folder
    QTest::addColumn<int>("errorNumber"); // the reason is the system's message for it, in its language

    QTest::newRow("missing") << QStringLiteral("<dir>/missing") << ENOENT;
    QTest::newRow("missing, searched for") << QStringLiteral("mivo-no-such-program") << ENOENT;
    QTest::newRow("not executable") << QStringLiteral("<dir>/recorder.sh") << EACCES;
    QTest::newRow("a folder") << QStringLiteral("<dir>") << EISDIR;
    QTest::newRow("empty") << QString() << ENOENT;
}

void TestProgramStarter::failureGivesTheReason() {
    QFETCH(QString, program);
    QFETCH(int, errorNumber);
    QTemporaryDir dir;
    QVERIFY(!writeScript(dir, kRecorderScript, QFile::ReadOwner | QFile::WriteOwner).isEmpty());

    QtProgramStarter starter;
    const StartResult result = starter.start({program.replace(QStringLiteral("<dir>"), dir.path()), {}});

    QVERIFY(!result.started);
    QCOMPARE(result.failureReason, QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QTEST_GUILESS_MAIN(TestProgramStarter)
#include "tst_programstarter.moc"
