#include "RecordingStandIn.h"
#include "platform/QtProgramStarter.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace mivo;

class TestProgramStarter : public QObject {
    Q_OBJECT

private slots:
    // A real program: no shell sees the arguments, and once it has ended nobody is left to reap it.
    void argumentsArriveExactlyAndNoZombieStays() {
        testing::RecordingStandIn standIn;
        const QStringList arguments{"a;touch pwned",  "$(touch pwned)|`touch pwned`",
                                    "\"q\" 'q' \\ *", "two  blanks\nnew line",
                                    QString(),        "/roms/Jürgen's (E).smc"};
        const StartResult result = QtProgramStarter().start({standIn.program(), arguments});
        QVERIFY2(result.started, qPrintable(result.failureReason));
        QTRY_COMPARE_WITH_TIMEOUT(standIn.received(), QList<QStringList>{arguments}, 10000);
        QVERIFY(!QFileInfo::exists(standIn.path(QStringLiteral("pwned"))));
        QTRY_VERIFY_WITH_TIMEOUT(testing::hasEnded(standIn.processIds().constFirst()), 10000);
        QCOMPARE(testing::zombieChildren(), QStringList());
    }

    void failureGivesTheReason_data() {
        QTest::addColumn<QString>("program"); // "<dir>" stands for a fresh temporary folder
        QTest::addColumn<int>("errorNumber"); // the reason is the system's message for it
        QTest::newRow("missing") << "<dir>/missing" << ENOENT;
        QTest::newRow("missing, searched for") << "mivo-no-such-program" << ENOENT;
        QTest::newRow("not executable") << "<dir>/plain.sh" << EACCES;
        QTest::newRow("a folder") << "<dir>" << EISDIR;
        QTest::newRow("empty") << QString() << ENOENT;
    }
    void failureGivesTheReason() {
        QFETCH(QString, program);
        QFETCH(int, errorNumber);
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain.sh")));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("#!/bin/sh\n") > 0);
        plain.close();

        const StartResult result = QtProgramStarter().start({program.replace("<dir>", dir.path()), {}});
        QVERIFY(!result.started);
        QCOMPARE(result.failureReason, QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
};

QTEST_GUILESS_MAIN(TestProgramStarter)
#include "tst_programstarter.moc"
