#include "core/LaunchLine.h"
#include "core/ProgramTexts.h"

#include <QTest>

using namespace mivo;

class TestLaunchLine : public QObject {
    Q_OBJECT

private slots:
    void romIsAppendedUnlessThePlaceholderShows() {
        const QString syntax = QStringLiteral("/usr/games/zsnes -v 4");
        QCOMPARE(launchCommandLine(syntax, QString::fromLatin1(texts::kRomPlaceholder)), syntax);
        QCOMPARE(launchCommandLine(syntax, QStringLiteral("/roms/mario.smc")), syntax + " /roms/mario.smc");
        // A placeholder in other letter case is a ROM name like any other.
        QCOMPARE(launchCommandLine(syntax, QStringLiteral("goto ''setup'' to load a rom")),
                 syntax + " goto ''setup'' to load a rom");
        QCOMPARE(launchCommandLine(QString(), QStringLiteral("/r.smc")), QStringLiteral(" /r.smc"));
    }

    void splitting_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");

        QTest::newRow("program alone") << "/usr/games/zsnes"
                                       << "/usr/games/zsnes" << QStringList{};
        QTest::newRow("switches and rom")
            << "/usr/games/zsnes -f 3 -v 4 /roms/a.smc"
            << "/usr/games/zsnes" << QStringList{"-f", "3", "-v", "4", "/roms/a.smc"};
        QTest::newRow("runs of blanks are one gap") << "  zsnes  -k  5 "
                                                    << "zsnes" << QStringList{"-k", "5"};
        QTest::newRow("shell characters stay characters")
            << "zsnes /roms/a;rm$(reboot)|b`id`&d.smc"
            << "zsnes" << QStringList{"/roms/a;rm$(reboot)|b`id`&d.smc"};
        QTest::newRow("quotes and backslashes stay") << "zsnes \"/roms/it's\\a.smc\""
                                                     << "zsnes" << QStringList{"\"/roms/it's\\a.smc\""};
        QTest::newRow("a blank in a name splits it") << "zsnes /my roms/a.smc"
                                                     << "zsnes" << QStringList{"/my", "roms/a.smc"};
        QTest::newRow("tabs belong to the word") << "zsnes a\tb"
                                                 << "zsnes" << QStringList{"a\tb"};
    }

    void splitting() {
        QFETCH(QString, line);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const auto invocation = splitCommandLine(line);
        QVERIFY(invocation.has_value());
        QCOMPARE(invocation->program, program);
        QCOMPARE(invocation->arguments, arguments);
    }

    void anEmptyLineNamesNoProgram() {
        QVERIFY(!splitCommandLine(QString()).has_value());
        QVERIFY(!splitCommandLine(QStringLiteral("    ")).has_value());
    }
};

QTEST_APPLESS_MAIN(TestLaunchLine)
#include "tst_launchline.moc"
