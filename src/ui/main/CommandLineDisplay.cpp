#include "ui/main/CommandLineDisplay.h"

#include <QHelpEvent>
#include <QToolTip>

namespace mivo {

CommandLineDisplay::CommandLineDisplay(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Selectable by keyboard, a label still takes the focus only from a click.
    setFocusPolicy(Qt::StrongFocus);
}

bool CommandLineDisplay::isCut() const {
    return sizeHint().width() > width();
}

// The tooltip is made when it is asked for, from the line shown then: whatever sets the line, the tooltip
// follows it, and no tooltip text is kept for a screen reader to read beside the line.
bool CommandLineDisplay::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    if (isCut())
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this, rect());
    else
        QToolTip::hideText();
    return true;
}

} // namespace mivo
