#pragma once

#include "core/OptionCatalog.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace mivo {

// What the last check of a number field found. A field nobody has changed since start has not been
// checked yet, and only a field found in range lets its switch into the command line.
enum class Validity { Unchecked, InRange, OutOfRange };

// The value of a text that is one decimal number with blanks around it: an optional sign, digits
// with at most one decimal point, an optional exponent. Anything else has no value. The decimal point
// is always ".", whatever the user's locale.
std::optional<double> numberValue(QStringView text);

struct NumberCorrection {
    QString text;
    Validity validity;
};

// What a number field must end with after its text became `text`: a text that is no number or not
// above zero becomes the reset text, one above the maximum becomes the maximum text, and anything
// else stays as typed. A field may keep a value below its minimum while the user types it digit by
// digit; it is then out of range. Applying the correction to its own result changes nothing, so the
// field can run it again on its own corrections.
NumberCorrection correctNumberText(const NumberFieldRow& field, const QString& text);

} // namespace mivo
