#include "platform/QtMessenger.h"

#include <QMessageBox>

namespace mivo {

void QtMessenger::warn(QWidget* parent, const QString& title, const QString& text, const QString& details) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    // The texts carry file names and command lines; one with a '<' in it must not be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDetailedText(details);
    box.exec();
}

} // namespace mivo
