#include "core/NumberRule.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace mivo {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Scans one decimal number; on success `plain` holds it in the form std::from_chars reads (no "+"),
// and `decimalMagnitude` says roughly where its first significant digit stands, so that a result too
// large or too small for a double can still be told apart.
struct Scan {
    std::string plain;
    bool mantissaIsZero;
    long long decimalMagnitude;
};

std::optional<Scan> scanNumber(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;

    Scan scan{{}, true, 0};
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            scan.plain.push_back('-');
        ++i;
    }

    bool seenPoint = false;
    bool seenDigit = false;
    bool seenSignificant = false;
    long long significantBeforePoint = 0;
    long long zerosAfterPoint = 0; // between the point and the first significant digit
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            seenDigit = true;
            seenSignificant = seenSignificant || c != u'0';
            if (seenSignificant && !seenPoint)
                ++significantBeforePoint;
            else if (!seenSignificant && seenPoint)
                ++zerosAfterPoint;
            scan.plain.push_back(static_cast<char>(c.unicode()));
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            scan.plain.push_back('.');
        } else {
            break;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    scan.mantissaIsZero = !seenSignificant;
    scan.decimalMagnitude = significantBeforePoint > 0 ? significantBeforePoint : -zerosAfterPoint;

    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        scan.plain.push_back('e');
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            if (negativeExponent)
                scan.plain.push_back('-');
            ++i;
        }
        if (i == end || !isDigit(text[i]))
            return std::nullopt;
        long long exponent = 0;
        constexpr long long kSaturated = std::numeric_limits<long long>::max() / 20;
        for (; i < end && isDigit(text[i]); ++i) {
            exponent = std::min(exponent * 10 + (text[i].unicode() - u'0'), kSaturated);
            scan.plain.push_back(static_cast<char>(text[i].unicode()));
        }
        scan.decimalMagnitude += negativeExponent ? -exponent : exponent;
    }
    if (i != end)
        return std::nullopt;
    return scan;
}

} // namespace

std::optional<double> numberValue(QStringView text) {
    const auto scan = scanNumber(text);
    if (!scan)
        return std::nullopt;
    if (scan->mantissaIsZero)
        return 0.0;

    double value = 0.0;
    const char* first = scan->plain.data();
    const char* last = first + scan->plain.size();
    const auto error = std::from_chars(first, last, value).ec;
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: only which of the two matters to the range checks.
        const bool negative = scan->plain.front() == '-';
        const double magnitude = scan->decimalMagnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    // The scan has already checked the form, so anything from_chars reads is all of it.
    if (error != std::errc{})
        return std::nullopt;
    return value;
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
