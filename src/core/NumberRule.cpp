#include "core/NumberRule.h"

#include <QByteArray>

#include <clocale>
#include <cstdlib>

namespace mivo {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Moves `i` past the digits standing there; true when there was at least one.
bool skipDigits(QStringView text, qsizetype& i) {
    const qsizetype first = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i > first;
}

bool skipSign(QStringView text, qsizetype& i) {
    const bool sign = i < text.size() && (text[i] == u'+' || text[i] == u'-');
    i += sign ? 1 : 0;
    return sign;
}

// An optional sign, digits with at most one decimal point, and an optional exponent: nothing else.
bool isDecimalNumber(QStringView text) {
    qsizetype i = 0;
    skipSign(text, i);
    bool digits = skipDigits(text, i);
    if (i < text.size() && text[i] == u'.') {
        ++i;
        digits = skipDigits(text, i) || digits;
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        skipSign(text, i);
        if (!skipDigits(text, i))
            return false;
    }
    return i == text.size();
}

} // namespace

std::optional<double> numberValue(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    const QStringView number = text.sliced(begin, end - begin);
    if (!isDecimalNumber(number))
        return std::nullopt;
    // Read in the C locale, so that "." is the decimal point whatever the user's locale. A value too
    // large or too small for a double comes out as infinity or zero, which is all the range checks need.
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
    return strtod_l(number.toLatin1().constData(), nullptr, cLocale);
}

NumberCorrection correctNumberText(const NumberFieldRow& field, const QString& text) {
    // Each step reads the text the steps before it left, as the field itself would.
    QString result = text;
    auto value = numberValue(result);
    if (!value) {
        result = catalogueText(field.resetText);
        value = numberValue(result);
    }
    if (*value <= 0.0) {
        result = catalogueText(field.resetText);
        value = numberValue(result);
    }
    if (*value > field.maximum) {
        result = catalogueText(field.maximumText);
        value = numberValue(result);
    }
    const bool inRange = *value >= field.minimum && *value <= field.maximum;
    return {result, inRange ? Validity::InRange : Validity::OutOfRange};
}

} // namespace mivo
