#include "core/NumberRule.h"
#include "core/OptionCatalog.h"
#include "ui/main/NumberField.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <memory>

using namespace mivo;

namespace {

// Texts a user, a paste or a confused keyboard layout might put into a number field.
class HostileText {
public:
    explicit HostileText(quint32 seed)
        : m_random(seed) {}

    QString next() {
        switch (m_random.bounded(6)) {
        case 0:
            return numberLike();
        case 1:
            return QString(m_random.bounded(1, 3), pick(u"+-. eE"));
        case 2:
            return numberLike() + QStringLiteral("e") + QString::number(m_random.bounded(100000, 1000000000));
        case 3:
            return QString(m_random.bounded(200, 1000), pick(u"0123456789")) + pick(u".e1");
        default:
            return anything();
        }
    }

private:
    QChar pick(std::u16string_view pool) {
        return QChar(pool[m_random.bounded(static_cast<quint32>(pool.size()))]);
    }

    QString numberLike() {
        QString text;
        const int length = m_random.bounded(0, 12);
        for (int i = 0; i < length; ++i)
            text += pick(u"0123456789012345678901234567890123456789.+-eE ");
        return text;
    }

    QString anything() {
        static constexpr std::u16string_view kPool =
            u"0123456789.+-eE \t\n\r\x01\x7f\u00a0\u00e9\u0665\uff15\u2212\u221e"
            u"\u5168\u200b,;$()'\"\\*?";
        QString text;
        const int length = m_random.bounded(0, 40);
        for (int i = 0; i < length; ++i) {
            if (m_random.bounded(20) == 0)
                text += QString::fromUcs4(U"\U0001F3AE"); // a character outside the basic plane
            else
                text += pick(kPool);
        }
        return text;
    }

    QRandomGenerator m_random;
};

} // namespace

// Whatever reaches a number field, it ends in a state the rest of the program can rely on.
class TestNumberFieldFuzz : public QObject {
    Q_OBJECT

private slots:
    void hostileTextsKeepTheFieldsSound() {
        constexpr quint32 kSeed = 20261206;
        constexpr int kTexts = 100000;
        QWidget owner;
        std::array<std::unique_ptr<NumberField>, kNumberFieldCount> fields;
        for (std::size_t i = 0; i < fields.size(); ++i)
            fields[i] = std::make_unique<NumberField>(kNumberFields[i], &owner);

        HostileText texts(kSeed);
        for (int n = 0; n < kTexts; ++n) {
            const std::size_t index = static_cast<std::size_t>(n) % fields.size();
            NumberField& field = *fields[index];
            const NumberFieldRow& row = kNumberFields[index];
            const QString typed = texts.next();
            field.setText(typed);

            const QString shown = field.text();
            const auto value = numberValue(shown);
            const bool inRange = value && *value >= row.minimum && *value <= row.maximum;
            const auto context = [&] {
                return qPrintable(QStringLiteral("seed %1, text %2: %3 -> %4")
                                      .arg(kSeed)
                                      .arg(n)
                                      .arg(typed.left(60), shown.left(60)));
            };
            QVERIFY2(value.has_value(), context());
            QVERIFY2(*value > 0.0 || shown == QLatin1StringView(row.resetText.data(), row.resetText.size()),
                     context());
            QVERIFY2((field.validityText() == QLatin1StringView("True")) == inRange, context());
            if (row.minimum <= 0.0)
                QVERIFY2(inRange, context());
            const NumberCorrection again = correctNumberText(row, shown);
            QVERIFY2(again.text == shown, context());
        }
    }
};

QTEST_MAIN(TestNumberFieldFuzz)
#include "tst_numberfield_fuzz.moc"
