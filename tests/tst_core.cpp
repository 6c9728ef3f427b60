#include "core/CommandLine.h"
#include "core/LaunchLine.h"
#include "core/NumberRule.h"

#include <QTest>

#include <cstdlib>
#include <random>
#include <regex>
#include <string>
#include <utility>

Q_DECLARE_METATYPE(mivo::Validity)

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

// What the number rule says, written apart from the program: the plain decimal form, read in the C locale.
std::optional<double> expectedValue(const std::string& text) {
    static const std::regex number(R"( *[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)? *)");
    if (!std::regex_match(text, number))
        return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

} // namespace

class TestCore : public QObject {
    Q_OBJECT

private slots:
    void startRecord() {
        const OptionSnapshot options = designedSnapshot();
        std::array<int, 37> ticked{};
        ticked[35] = ticked[36] = 1; // the two tray preferences
        QVERIFY(options.checkValues == ticked);
        QVERIFY((options.numberTexts == std::array<QString, 4>{"0", "0", "0", "50"}));
    }

    void headings() {
        for (const auto& [check, frame] :
             {std::pair{2, "Frame1"}, {3, "Frame2"}, {23, "Frame3"}, {29, "Frame4"}})
            QVERIFY(kOptionGroups.at(groupHeadedBy(checkIndex(check)).value()).frameName == frame);
        for (const auto& [check, field] :
             {std::pair{14, "Text1"}, {15, "Text2"}, {19, "Text3"}, {22, "Text4"}})
            QVERIFY(kNumberFields.at(numberFieldHeadedBy(checkIndex(check)).value()).name == field);
        QVERIFY(!groupHeadedBy(checkIndex(1)) && !numberFieldHeadedBy(checkIndex(37)));
    }

    void compose_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("expected");
        QString allBoxes;
        for (int number = 1; number <= 37; ++number)
            allBoxes += QStringLiteral("C%1|").arg(number);
        const QString everything =
            " -0 -7 -8 -9 -a -c -cb -cc -d -dd -e -f 7 -g 4.5 -h -i -j -k 100 -o -om -p 60";
        QTest::newRow("everything, last choices")
            << kZsnes << allBoxes + "O7|O8|O20|O31|T1=7|T2=4.5|T3=100|T4=60"
            << kZsnes + everything + " -r 5 -s -sa -sn -t -u -v 10 -w -l -m -n -y -1 6 -2 6";
        QTest::newRow("everything, first choices")
            << kZsnes << allBoxes + "O1|O14|O15|O21|T1=7|T2=4.5|T3=100|T4=60"
            << kZsnes + everything + " -r 0 -s -sa -sn -t -u -v 0 -w -l -m -n -y -1 0 -2 0";
        QTest::newRow("groups and a field")
            << kZsnes << "C29|O25|C23|O18|C3|O13|C2|O2|C14|T1=3" << kZsnes + " -f 3 -r 3 -v 4 -1 1 -2 1";
        QTest::newRow("choices and fields without their boxes")
            << kZsnes << "O31|O18|O7|O8|T1=3|T2=3|T3=3|T4=60" << kZsnes;
        QTest::newRow("greyed boxes") << kZsnes << "G1|G29|O21|G14|T1=3|G34|G35" << kZsnes;
        QTest::newRow("fields not found in range")
            << kZsnes << "C14|U1=0|C15|T2=4.5|C19|T3= 5|C22|F4=30" << kZsnes + " -g 4.5 -k  5";
        QTest::newRow("interpolation alone") << kZsnes << "C35" << kZsnes + " -y";
        QTest::newRow("empty path") << QString() << "C1"
                                    << " -0";
        QTest::newRow("path with a blank") << "/opt/my zsnes/zsnes"
                                           << "C33"
                                           << "/opt/my zsnes/zsnes -n";
    }

    void compose() {
        QFETCH(QString, path);
        QFETCH(QString, items);
        QFETCH(QString, expected);
        QCOMPARE(composeCommandLine(path, record(items)), expected);
    }

    void correction_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<Validity>("validity");
        const auto row = [](const QString& typed, int field, const char* expected, Validity validity) {
            QTest::newRow(qPrintable(typed)) << field << typed << QString::fromUtf8(expected) << validity;
        };
        for (const char* text :
             {"",    " ",   "+",    "-",   ".",   "+.",  "1.2.3", "1e",  "1e+",   "e5",  "abc",    "5a",
              "1,5", "1 2", "0x10", "inf", "nan", "\t5", "5\n",   "--5", "1e2.5", "1d5", "\u0665", "\uFF15"})
            row(QString::fromUtf8(text), 4, "50", InRange);
        row("", 1, "0", InRange);
        row("", 2, "0", InRange);
        row("", 3, "0", InRange);
        row("4.5", 1, "4.5", InRange);
        row("+8", 1, "+8", InRange);
        row(".5", 1, ".5", InRange);
        row("009", 1, "009", InRange);
        row("12", 1, "9", InRange);
        row("0.", 1, "0", InRange);
        row("1e999", 1, "9", InRange);
        row("25E-1", 2, "25E-1", InRange);
        row("5.", 2, "5.", InRange);
        row("6", 2, "5", InRange);
        row(" 5 ", 3, " 5 ", InRange);
        row("1e2", 3, "1e2", InRange);
        row("-0", 3, "0", InRange);
        row("-3", 3, "0", InRange);
        row("0e99999", 3, "0", InRange);
        row("250", 3, "100", InRange);
        row("0.0001e400", 3, "100", InRange);
        row(QString(350, u'0') + "1e-340", 3, "0", InRange); // written out longer than a double holds
        row("0." + QString(350, u'0') + "1e0010", 3, "0", InRange);
        row("0.1" + QString(400, u'0') + "e320", 3, "100", InRange);
        row("1" + QString(350, u'0'), 3, "100", InRange);
        row("30", 4, "30", OutOfRange);
        row("50", 4, "50", InRange);
        row("120.5", 4, "120", InRange);
        row("0", 4, "50", InRange);
        row("-5", 4, "50", InRange);
        row("1e-999", 4, "50", InRange);
        row("2e99999999999999999999999", 4, "120", InRange);
    }

    void correction() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(Validity, validity);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // "." stays the decimal point
        const NumberCorrection corrected = correctNumberText(kNumberFields.at(std::size_t(field - 1)), typed);
        QCOMPARE(corrected.text, expected);
        QCOMPARE(corrected.validity, validity);
    }

    // Random texts near the number form, with runs of hundreds of zeros, huge exponents and now and then
    // a stray character, read the way the rule's wording reads them.
    void numberValueAgainstTheRulesWording() {
        std::mt19937 random(20261206);
        const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
        const auto some = [&](int most) {
            std::string run;
            for (int i = pick(most); i > 0; --i)
                run += char('0' + pick(10));
            return run;
        };
        const auto digits = [&] {
            return some(3) + std::string(std::size_t(pick(3) ? pick(3) : 300 + pick(99)), '0') + some(3);
        };
        const auto odd = [&] { return pick(8) ? std::string() : std::string(1, "+-.e x,"[pick(7)]); };
        const auto sign = [&] { return pick(3) ? std::string() : std::string(1, "+-"[pick(2)]); };
        for (int round = 0; round < 600; ++round) {
            std::string text = std::string(std::size_t(pick(2)), ' ') + odd() + sign() + digits() + odd() +
                               (pick(2) ? "." : "") + digits();
            if (pick(2))
                text += (pick(2) ? "e" : "E") + sign() + odd() + some(pick(9) ? 4 : 30);
            text += std::string(std::size_t(pick(2)), ' ') + odd();
            QVERIFY2(numberValue(QString::fromLatin1(text)) == expectedValue(text), text.c_str());
        }
    }

    void launchLine() {
        const QString syntax = kZsnes + " -v 4";
        QCOMPARE(launchCommandLine(syntax, QStringLiteral("Goto ''Setup'' to load a Rom")), syntax);
        QCOMPARE(launchCommandLine(syntax, QStringLiteral("/roms/mario.smc")), syntax + " /roms/mario.smc");
        QCOMPARE(launchCommandLine(syntax, QStringLiteral("goto ''setup'' to load a rom")),
                 syntax + " goto ''setup'' to load a rom");
        QCOMPARE(launchCommandLine(QString(), QStringLiteral("/r.smc")), QStringLiteral(" /r.smc"));
        QCOMPARE(launchCommandLine(QString(), QStringLiteral("Goto ''Setup'' to load a Rom")), QString());
    }

    void splitting_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("program alone") << kZsnes << QStringList{kZsnes};
        QTest::newRow("blanks") << "  zsnes  -k  5 /my roms/a.smc "
                                << QStringList{"zsnes", "-k", "5", "/my", "roms/a.smc"};
        QTest::newRow("shell characters") << "zsnes /r/a;rm$(x)|b`id`&\"it's\\a\tb.smc\""
                                          << QStringList{"zsnes", "/r/a;rm$(x)|b`id`&\"it's\\a\tb.smc\""};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void splitting() {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        const auto invocation = splitCommandLine(line);
        QCOMPARE(invocation.has_value(), !words.isEmpty());
        if (invocation)
            QCOMPARE(QStringList{invocation->program} + invocation->arguments, words);
    }
};

QTEST_APPLESS_MAIN(TestCore)
#include "tst_core.moc"
