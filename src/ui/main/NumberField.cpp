#include "ui/main/NumberField.h"

#include "core/NumberRule.h"
#include "ui/main/ValidityFlag.h"

#include <limits>

namespace mivo {

NumberField::NumberField(const NumberFieldRow& row, QWidget* parent)
    : QLineEdit(parent)
    , m_row(row)
    , m_flag(new ValidityFlag(catalogueText(row.flagName), this)) {
    setObjectName(catalogueText(row.name));
    setMaxLength(std::numeric_limits<int>::max()); // Qt cuts at 32767 characters otherwise
    // The start text is not checked: the flag keeps its own name until the first change.
    setText(catalogueText(row.startText));
    connect(this, &QLineEdit::textChanged, this, &NumberField::Text_Change);
}

void NumberField::Text_Change() {
    const NumberCorrection corrected = correctNumberText(m_row, text());
    // A correction is itself a change and is checked again, nested here; the rule leaves its own
    // results alone, so that run only confirms the verdict.
    if (corrected.text != text())
        setText(corrected.text);
    m_flag->setValidity(corrected.validity);
}

} // namespace mivo
