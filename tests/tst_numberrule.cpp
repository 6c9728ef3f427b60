#include "core/NumberRule.h"

#include <QTest>

#include <cmath>

using namespace mivo;

Q_DECLARE_METATYPE(mivo::Validity)

class TestNumberRule : public QObject {
    Q_OBJECT

private slots:
    void acceptedNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("fraction") << "4.5" << 4.5;
        QTest::newRow("blank before") << " 5" << 5.0;
        QTest::newRow("blanks around") << "  7  " << 7.0;
        QTest::newRow("exponent") << "1e2" << 100.0;
        QTest::newRow("capital exponent with sign") << "25E-1" << 2.5;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("plus sign") << "+8" << 8.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("long fraction") << "9.000000000000000000000000000000001" << 9.0;
        QTest::newRow("overflowing exponent") << "1e999" << HUGE_VAL;
        QTest::newRow("exponent beyond any integer") << "2e99999999999999999999999" << HUGE_VAL;
        QTest::newRow("underflowing exponent") << "1e-999" << 0.0;
        QTest::newRow("zeros before a big exponent") << "0.0001e400" << HUGE_VAL;
        QTest::newRow("negative overflow") << "-1e999" << -HUGE_VAL;
        QTest::newRow("zero with a huge exponent") << "0e99999" << 0.0;
    }

    void acceptedNumbers() {
        QFETCH(QString, text);
        QFETCH(double, value);
        const auto parsed = numberValue(text);
        QVERIFY2(parsed.has_value(), qPrintable(text));
        QCOMPARE(*parsed, value);
    }

    void rejectedTexts_data() {
        QTest::addColumn<QString>("text");
        for (const char* text :
             {"",   " ",   "+",   "-",    ".",   "+.",  "1.2.3", "1e",  "1e+", "e5",   "abc",
              "5a", "1,5", "1 2", "0x10", "inf", "nan", "\t5",   "5\n", "--5", "1e2.5"})
            QTest::newRow(text) << QString::fromLatin1(text);
        QTest::newRow("arabic-indic digit") << QStringLiteral("\u0665");
        QTest::newRow("full-width digit") << QStringLiteral("\uFF15");
    }

    void rejectedTexts() {
        QFETCH(QString, text);
        QVERIFY(!numberValue(text).has_value());
    }

    void correction_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<Validity>("validity");

        QTest::newRow("empty frame skip") << 1 << ""
                                          << "0" << Validity::InRange;
        QTest::newRow("empty percentage") << 4 << ""
                                          << "50" << Validity::InRange;
        QTest::newRow("12 in frame skip") << 1 << "12"
                                          << "9" << Validity::InRange;
        QTest::newRow("fraction stays") << 1 << "4.5"
                                        << "4.5" << Validity::InRange;
        QTest::newRow("zero written long") << 2 << "0.0"
                                           << "0" << Validity::InRange;
        QTest::newRow("negative zero") << 3 << "-0"
                                       << "0" << Validity::InRange;
        QTest::newRow("0 and a point") << 1 << "0."
                                       << "0" << Validity::InRange;
        QTest::newRow("letters in volume") << 3 << "abc"
                                           << "0" << Validity::InRange;
        QTest::newRow("negative volume") << 3 << "-3"
                                         << "0" << Validity::InRange;
        QTest::newRow("volume too loud") << 3 << "250"
                                         << "100" << Validity::InRange;
        QTest::newRow("blank kept") << 3 << " 5"
                                    << " 5" << Validity::InRange;
        QTest::newRow("percentage below minimum kept") << 4 << "30"
                                                       << "30" << Validity::OutOfRange;
        QTest::newRow("percentage zero") << 4 << "0"
                                         << "50" << Validity::InRange;
        QTest::newRow("percentage negative") << 4 << "-5"
                                             << "50" << Validity::InRange;
        QTest::newRow("percentage too high") << 4 << "500"
                                             << "120" << Validity::InRange;
        QTest::newRow("percentage at both bounds") << 4 << "120"
                                                   << "120" << Validity::InRange;
        QTest::newRow("huge exponent") << 2 << "1e999999"
                                       << "5" << Validity::InRange;
        QTest::newRow("tiny exponent") << 4 << "1e-999999"
                                       << "50" << Validity::InRange;
    }

    void correction() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(Validity, validity);
        const auto& row = kNumberFields[static_cast<std::size_t>(field - 1)];
        const auto corrected = correctNumberText(row, typed);
        QCOMPARE(corrected.text, expected);
        QCOMPARE(corrected.validity, validity);
        // The field runs the rule again on its own correction; that run must leave it alone.
        const auto again = correctNumberText(row, corrected.text);
        QCOMPARE(again.text, corrected.text);
        QCOMPARE(again.validity, corrected.validity);
    }

    void decimalPointIgnoresTheLocale() {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto value = numberValue(u"2.5");
        QLocale::setDefault(previous);
        QCOMPARE(value, std::optional<double>(2.5));
    }
};

QTEST_APPLESS_MAIN(TestNumberRule)
#include "tst_numberrule.moc"
