#pragma once

#include "core/NumberRule.h"
#include "core/OptionCatalog.h"

#include <QLineEdit>

namespace mivo {

// A small text field for an option's number. Every change of its text is checked at once, the
// field's own corrections included; keystrokes are never refused.
//
// The field also keeps the hidden verdict of its last check. Its text, the property `validity`, reads
// "True" or "False" once the field has been checked, and before that the name of the label that held
// it ("Label2" to "Label5"). It is never shown, so it cannot appear on screen or reach a screen reader.
class NumberField : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString validity READ validityText)

public:
    NumberField(const NumberFieldRow& row, QWidget* parent);

    [[nodiscard]] Validity validity() const { return m_validity; }
    [[nodiscard]] QString validityText() const;

private:
    void checkNumber();

    const NumberFieldRow& m_row;
    Validity m_validity = Validity::Unchecked;
};

} // namespace mivo
