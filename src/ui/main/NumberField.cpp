#include "ui/main/NumberField.h"

#include "core/NumberRule.h"

#include <limits>

namespace mivo {

NumberField::NumberField(const NumberFieldRow& row, QWidget* parent)
    : QLineEdit(parent)
    , m_row(row) {
    setMaxLength(std::numeric_limits<int>::max()); // Qt cuts at 32767 characters otherwise
    // The start text is not checked: the verdict keeps the label's name until the first change.
    setText(catalogueText(row.startText));
    connect(this, &QLineEdit::textChanged, this, &NumberField::checkNumber);
}

QString NumberField::validityText() const {
    switch (m_validity) {
    case Validity::Unchecked:
        break;
    case Validity::InRange:
        return QStringLiteral("True");
    case Validity::OutOfRange:
        return QStringLiteral("False");
    }
    return catalogueText(m_row.flagName);
}

void NumberField::checkNumber() {
    const NumberCorrection corrected = correctNumberText(m_row, text());
    // A correction is itself a change and is checked again, nested here; the rule leaves its own
    // results alone, so that run only confirms the verdict.
    if (corrected.text != text())
        setText(corrected.text);
    m_validity = corrected.validity;
}

} // namespace mivo
