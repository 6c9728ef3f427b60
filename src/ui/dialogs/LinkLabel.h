#pragma once

#include <QColor>
#include <QLabel>

namespace mivo {

// A line of text that acts like a link: coloured, a hand over it, and activated by a mouse click or,
// once it has the keyboard focus, by Space or Return. What the activation leads to is up to whoever
// listens to activated().
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, const QColor& colour, QWidget* parent);

    // Also what assistive tools call when the user presses the link through them.
    void activate();

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pressedHere = false;
};

} // namespace mivo
