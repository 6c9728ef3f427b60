#pragma once

#include <QFont>

namespace mivo {

// `widget` in bold. Only the weight is set, so it still follows its window's font and size.
template <typename T> T* inBold(T* widget) {
    QFont bold;
    bold.setBold(true);
    widget->setFont(bold);
    return widget;
}

} // namespace mivo
