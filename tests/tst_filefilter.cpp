#include "platform/QtFileOpenDialog.h"

#include <QDir>
#include <QTest>

using namespace mivo;

namespace {

// The patterns Qt's file dialog matches with: the blank-separated list in an entry's last brackets.
QStringList patternsOf(const QString& entry) {
    const qsizetype open = entry.lastIndexOf(u'(');
    return entry.mid(open + 1, entry.size() - open - 2).split(u' ');
}

} // namespace

class TestFileFilter : public QObject {
    Q_OBJECT

private slots:
    // The filter the program offers when the user looks for the emulator.
    void zsnesFilterKeepsItsDescriptionsAndMatchesBothSystemsNames() {
        const QStringList entries = qtNameFilter("Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|")
                                        .split(QStringLiteral(";;"));
        QCOMPARE(entries.size(), 2); // the trailing bar adds no entry
        QVERIFY(entries[0].startsWith(QLatin1String("Zsnes(w) Executable (*.exe) (")));
        QVERIFY(QDir::match(patternsOf(entries[0]), QStringLiteral("zsnes.exe")));
        QVERIFY(entries[1].startsWith(QLatin1String("All Files (*.*) (")));
        QVERIFY(QDir::match(patternsOf(entries[1]), QStringLiteral("zsnes"))); // a Linux binary has no dot
        QVERIFY(QDir::match(patternsOf(entries[1]), QStringLiteral("rom.SMC")));
    }

    void otherFiltersAreTurnedIntoQtsForm_data() {
        QTest::addColumn<QString>("pipeFilter");
        QTest::addColumn<QString>("qtFilter");
        QTest::newRow("empty: every file") << QString() << QString();
        QTest::newRow("no complete pair: every file") << "Roms| ; |" << QString();
        QTest::newRow("no trailing bar") << "Roms|*.smc" << QStringLiteral("Roms (*.smc)");
        QTest::newRow("several patterns") << "Roms|*.smc; *.sfc" << QStringLiteral("Roms (*.smc *.sfc)");
        QTest::newRow("pair without patterns") << "None||Roms|*.smc" << QStringLiteral("Roms (*.smc)");
        QTest::newRow("no description") << "|*.smc" << QStringLiteral("*.smc (*.smc)");
    }
    void otherFiltersAreTurnedIntoQtsForm() {
        QFETCH(QString, pipeFilter);
        QFETCH(QString, qtFilter);
        QCOMPARE(qtNameFilter(pipeFilter), qtFilter);
    }
};

QTEST_GUILESS_MAIN(TestFileFilter)
#include "tst_filefilter.moc"
