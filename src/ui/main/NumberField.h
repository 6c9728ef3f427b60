#pragma once

#include "core/OptionCatalog.h"

#include <QLineEdit>

namespace mivo {

class ValidityFlag;

// A small text field for an option's number. Every change of its text is checked at once, the
// field's own corrections included; keystrokes are never refused.
class NumberField : public QLineEdit {
    Q_OBJECT

public:
    NumberField(const NumberFieldRow& row, QWidget* parent);

    [[nodiscard]] const ValidityFlag& flag() const { return *m_flag; }

private:
    void Text_Change();

    const NumberFieldRow& m_row;
    ValidityFlag* m_flag;
};

} // namespace mivo
