#include "ui/dialogs/LinkLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace mivo {
namespace {

// Screen readers should announce a link they can press, not a piece of static text.
class LinkLabelAccessible final : public QAccessibleWidget {
public:
    explicit LinkLabelAccessible(LinkLabel* label)
        : QAccessibleWidget(label, QAccessible::Link) {}

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            static_cast<LinkLabel*>(widget())->activate();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

// Qt asks with the object's own class first, so a link label is answered before its QLabel base is.
QAccessibleInterface* linkLabelAccessible(const QString& /*className*/, QObject* object) {
    auto* label = qobject_cast<LinkLabel*>(object);
    return label ? new LinkLabelAccessible(label) : nullptr; // owned by Qt's accessibility cache
}

void registerAccessibility() {
    // Qt keeps its accessibility factories for the whole process; one registration serves every label.
    [[maybe_unused]] static const bool registered = [] {
        QAccessible::installFactory(&linkLabelAccessible);
        return true;
    }();
}

} // namespace

LinkLabel::LinkLabel(const QString& text, const QColor& colour, QWidget* parent)
    : QLabel(text, parent) {
    registerAccessibility();
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(text);

    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void LinkLabel::activate() {
    emit activated();
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    // Unlike QLabel's own handlers, these take the mouse events for themselves: they are not passed to the
    // window behind.
    m_pressedHere = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // Like a button: the press and the release both have to be on the link, so that a press can still
    // be taken back by moving away.
    const bool clicked =
        m_pressedHere && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressedHere = false;
    if (clicked)
        activate();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            activate();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A label draws no focus of its own; without this a keyboard user cannot tell where they are.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    const QSize textSize = fontMetrics().size(0, text()) + QSize(4, 2);
    option.rect = QStyle::alignedRect(layoutDirection(), alignment(), textSize, contentsRect());
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

} // namespace mivo
