#pragma once

#include <QCheckBox>

namespace mivo {

// A check box's value as Mivo stores and composes it: 0 unticked, 1 ticked, 2 greyed. Qt numbers the
// same states differently (greyed is its 1), so every read and write goes through here.
inline int checkValue(const QCheckBox& box) {
    const Qt::CheckState state = box.checkState();
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

// A greyed value is shown as it came, but the user never gets it back: once the box leaves it, the
// box has only its two states again.
inline void setCheckValue(QCheckBox& box, int value) {
    box.setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    if (value == 2)
        QObject::connect(
            &box, &QCheckBox::stateChanged, &box, [&box] { box.setTristate(false); },
            Qt::SingleShotConnection);
}

} // namespace mivo
