#include "platform/QtBeeper.h"

#include <QApplication>

namespace mivo {

void QtBeeper::beep() {
    QApplication::beep();
}

} // namespace mivo
