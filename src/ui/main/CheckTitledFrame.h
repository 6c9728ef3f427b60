#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;

namespace mivo {

// A frame whose title is a check box standing on its top edge. The check box is the frame's sibling,
// not its child, so that disabling the frame never disables the box that enables it again.
class CheckTitledFrame : public QWidget {
    Q_OBJECT

public:
    CheckTitledFrame(QCheckBox* title, QGroupBox* frame, QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] QSize titleSize() const;
    [[nodiscard]] int frameTop() const;
    [[nodiscard]] QSize withTitle(QSize frameSize) const;

    QCheckBox* m_title;
    QGroupBox* m_frame;
};

} // namespace mivo
