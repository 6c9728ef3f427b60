#include "RecordingStandIn.h"
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

class TestProgramStarter : public QObject {
    Q_OBJECT

private slots:
    void argumentsArriveExactlyAndNoShellSeesThem();
    void failureGivesTheReason_data();
    void failureGivesTheReason();
};

void TestProgramStarter::argumentsArriveExactlyAndNoShellSeesThem() {
    testing::RecordingStandIn standIn;
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
    const StartResult first = starter.start({standIn.program(), arguments});
    const StartResult second = starter.start({standIn.program(), {QStringLiteral("second")}});

    QVERIFY2(first.started, qPrintable(first.failureReason));
    QVERIFY2(second.started, qPrintable(second.failureReason));
    QTRY_COMPARE_WITH_TIMEOUT(standIn.recordingFiles().size(), 2, 10000);
    const QList<QStringList> received = standIn.received();
    QVERIFY2(received.contains(arguments), qPrintable(received.constFirst().join(u'|')));
    QVERIFY(received.contains(QStringList{QStringLiteral("second")}));
    QVERIFY(!QFileInfo::exists(standIn.path(QStringLiteral("pwned"))));

    // Both programs are done: each must have been reaped by someone other than us.
    for (const QString& pid : standIn.processIds())
        QTRY_VERIFY_WITH_TIMEOUT(testing::hasEnded(pid), 10000);
    QCOMPARE(testing::zombieChildren(), QStringList());
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
    QFile notExecutable(dir.filePath(QStringLiteral("recorder.sh")));
    QVERIFY(notExecutable.open(QIODevice::WriteOnly) && notExecutable.write("#!/bin/sh\n") > 0);
    notExecutable.close();

    QtProgramStarter starter;
    const StartResult result = starter.start({program.replace(QStringLiteral("<dir>"), dir.path()), {}});

    QVERIFY(!result.started);
    QCOMPARE(result.failureReason, QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QTEST_GUILESS_MAIN(TestProgramStarter)
#include "tst_programstarter.moc"
