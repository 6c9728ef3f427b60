#include "core/CommandLine.h"
#include "core/FileFilter.h"
#include "core/IniText.h"
#include "core/LaunchLine.h"
#include "core/NumberRule.h"

#include <QTest>

using namespace mivo;
using enum Validity;

namespace {

const QString kZsnes = QStringLiteral("/usr/games/zsnes");

// The option record written as items joined by "|": "C5" box 5 ticked, "G5" box 5 greyed, "O18" button
// 18 selected, "T1=3" field 1 holding 3 found in range, "F1=3" found out of range, "U1=3" not checked yet.
OptionSnapshot record(const QString& items) {
    OptionSnapshot options = designedSnapshot();
    for (const QString& item : items.split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype equals = item.indexOf(u'=');
        const auto at = static_cast<std::size_t>(item.mid(1, equals < 0 ? -1 : equals - 1).toInt() - 1);
        const char kind = item.front().toLatin1();
        if (kind == 'C' || kind == 'G')
            options.checkValues.at(at) = kind == 'C' ? 1 : 2;
        else if (kind == 'O')
            options.selected.at(at) = true;
        else
            options.numberTexts.at(at) = item.mid(equals + 1);
        if (kind == 'T' || kind == 'F')
            options.validity.at(at) = kind == 'T' ? InRange : OutOfRange;
    }
    return options;
}

} // namespace

class TestCore : public QObject {
    Q_OBJECT

private slots:
    void theLineHoldsEachTickedSwitchInStepOrder_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& path, const QString& record,
                            const QString& line) { QTest::newRow(name) << path << record << line; };
        QString allBoxes;
        for (int number = 1; number <= 37; ++number)
            allBoxes += QStringLiteral("C%1|").arg(number);
        const QString fields = "T1=7|T2=4.5|T3=100|T4=60|";
        const QString all = " -0 -7 -8 -9 -a -c -cb -cc -d -dd -e -f 7 -g 4.5 -h -i -j -k 100 -o -om -p 60";
        row("all, last choices", kZsnes, allBoxes + fields + "O7|O8|O20|O31",
            kZsnes + all + " -r 5 -s -sa -sn -t -u -v 10 -w -l -m -n -y -1 6 -2 6");
        row("in step order", kZsnes, "C29|O25|C23|O18|C3|O13|C2|O2|C14|T1=3",
            kZsnes + " -f 3 -r 3 -v 4 -1 1 -2 1");
        row("choices and fields without boxes", kZsnes, "O31|O18|O7|O8|T1=3|T2=3|T3=3|T4=60", kZsnes);
        row("greyed boxes", kZsnes, "G1|G29|O21|G14|T1=3|G34|G35", kZsnes);
        row("fields as last checked", kZsnes, "C14|U1=0|C15|T2=4.5|C19|T3= 5|C22|F4=30",
            kZsnes + " -g 4.5 -k  5");
        row("one -y for two boxes", kZsnes, "C35", kZsnes + " -y");
        row("no path", QString(), "C1", " -0");
        row("a path with a blank", "/opt/my zsnes/zsnes", "C33", "/opt/my zsnes/zsnes -n");
    }
    void theLineHoldsEachTickedSwitchInStepOrder() {
        QFETCH(QString, path);
        QFETCH(QString, record);
        QFETCH(QString, expected);
        QCOMPARE(composeCommandLine(path, ::record(record)), expected);
    }

    void aNumberIsCorrectedToItsFieldsRange() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // "." stays the decimal point
        const auto check = [](int field, const QString& typed, const char* text, Validity valid = InRange) {
            const auto corrected = correctNumberText(kNumberFields.at(std::size_t(field) - 1), typed);
            QVERIFY2(corrected.text == text && corrected.validity == valid,
                     qPrintable(typed + " -> " + corrected.text));
        };
        for (const char* text : {"", " ", "+", ".", "1.2.3", "1e+", "e5", "5a", "1,5", "1 2", "0x10", "inf",
                                 "nan", "\t5", "5\n", "--5", "1d5", "\u0665", "\uFF15"})
            check(4, QString::fromUtf8(text), "50");
        for (const int field : {1, 2, 3})
            check(field, "", "0");
        // clang-format off
        for (const auto& [field, typed, text] : {
                 std::tuple{1, "4.5", "4.5"}, {1, "009", "009"}, {1, "12", "9"}, {1, "0.", "0"}, {2, "5.", "5."},
                 {2, "6", "5"}, {3, " 5 ", " 5 "}, {3, "1e2", "1e2"}, {3, ".5", ".5"}, {3, "+1E+2", "+1E+2"},
                 {3, " 5e-1", " 5e-1"}, {3, "1e-", "0"}, {3, "250", "100"}, {4, "50", "50"}, {4, "120.5", "120"},
                 {4, "-5", "50"}})
            check(field, typed, text);
        // clang-format on
        // Written out longer than a double holds: where the first significant digit stands decides.
        check(3, QString(350, u'0') + "1e-340", "0");
        check(3, "0." + QString(350, u'0') + "1e0010", "0");
        check(4, "30", "30", OutOfRange);
    }

    // A designed filter in Qt's form. With no complete pair, every file; "All Files" must also show a
    // Linux program, which has no dot in its name.
    void fileFiltersTakeQtsForm() {
        QCOMPARE(designedFileFilter("Roms| ; |"), FileFilter{});
        QCOMPARE(designedFileFilter("None||Roms|*.smc; *.sfc", "Roms"),
                 (FileFilter{{"Roms (*.smc *.sfc)"}, "Roms (*.smc *.sfc)"}));
        QCOMPARE(designedFileFilter("|*.smc", "Roms"), (FileFilter{{"*.smc (*.smc)"}, {}}));
        QCOMPARE(
            designedFileFilter("Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|", "All Files (*.*)"),
            (FileFilter{{"Zsnes(w) Executable (*.exe) (*.exe)", "All Files (*.*) (*)"},
                        "All Files (*.*) (*)"}));
    }

    void aLaunchLineStartsTheShownProgramWithTheRom() {
        QCOMPARE(launchCommandLine(kZsnes, std::nullopt), kZsnes);
        QCOMPARE(launchCommandLine(kZsnes, "/roms/mario.smc"), kZsnes + " /roms/mario.smc");
        QCOMPARE(launchCommandLine("", "/roms/mario.smc"), ""); // never the ROM as the program
        QCOMPARE(launchCommandLine("  ", "/roms/mario.smc"), "  ");
        QVERIFY(!splitCommandLine(""));
        const auto invocation = splitCommandLine("  zsnes  -k  5 /my r;$(x)|`id`&\"it's\\a\t.smc\" ").value();
        QCOMPARE(QStringList{invocation.program} + invocation.arguments,
                 (QStringList{"zsnes", "-k", "5", "/my", "r;$(x)|`id`&\"it's\\a\t.smc\""}));
    }

    // A save changes Mivo's values and nothing else: comments, other sections, other keys and the quoting
    // of an unchanged value stay; a new key keeps a sorted section sorted.
    void settingsTextKeepsWhatItDoesNotOwn_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray ours =
            "Icon%20in%20tray=1\nMinimize%20to%20tray=1\nromuluspath=\"/r\\x1g #2\"\nzsnesfilepath=/z\n";
        QTest::newRow("no file yet") << QByteArray() << "[settings]\n" + ours;
        QTest::newRow("the section last, no last line break")
            << "[settings]\n" + ours.chopped(18) << "[settings]\n" + ours.chopped(1);
        QTest::newRow("the section's last key empty, its line ending in CR LF")
            << QByteArray("[settings]\nIcon%20in%20tray=\r\n")
            << "[settings]\nIcon%20in%20tray=1\r\n" + ours.sliced(19);
        QTest::newRow("a backslash before a lone carriage return") // no continuation made of it
            << QByteArray("[settings]\rx=a\\\r\r")
            << "[settings]\r" + ours.chopped(17) + "x=a\\\r\rzsnesfilepath=/z\n";
        QTest::newRow("no section, no last line break")
            << QByteArray("[other]\na=1") << "[other]\na=1\n[settings]\n" + ours;
        const QByteArray head = "; mine\n[other]\na = \"1, 2\"\n[settings]\n";
        const QByteArray foreign = "foreign=@Rect(1 2 3 4)\n";
        const QByteArray tail = "zsnesfilepath=\"/z\"\n\n[more]\n";
        QTest::newRow("edited by hand") << head + "Icon%20in%20tray=0 ; off\n" + foreign + tail
                                        << head + "Icon%20in%20tray=1; off\nMinimize%20to%20tray=1\n" +
                                               foreign + "romuluspath=\"/r\\x1g #2\"\n" + tail;
    }
    void settingsTextKeepsWhatItDoesNotOwn() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QMap<QString, QString> values{{"Icon in tray", "1"},
                                            {"Minimize to tray", "1"},
                                            {"romuluspath", "/r\x01g #2"},
                                            {"zsnesfilepath", "/z"}};
        QCOMPARE(IniText(before, "settings").withTexts(values), after);
    }
};

QTEST_APPLESS_MAIN(TestCore)
#include "tst_core.moc"
