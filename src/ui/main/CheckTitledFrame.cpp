#include "ui/main/CheckTitledFrame.h"

#include <QCheckBox>
#include <QGroupBox>

namespace mivo {
namespace {
constexpr int kTitleIndent = 8;
}

CheckTitledFrame::CheckTitledFrame(QCheckBox* title, QGroupBox* frame, QWidget* parent)
    : QWidget(parent)
    , m_title(title)
    , m_frame(frame) {
    // The title is adopted first, so that readers and the Tab key meet it before the buttons it enables.
    m_title->setParent(this);
    m_frame->setParent(this);
    // The box covers the frame's top line behind its caption, as a title does.
    m_title->setAutoFillBackground(true);
    m_title->raise();
    setFocusProxy(m_title);
    setSizePolicy(m_frame->sizePolicy());
}

QSize CheckTitledFrame::titleSize() const {
    return m_title->sizeHint().boundedTo(m_title->maximumSize());
}

int CheckTitledFrame::frameTop() const {
    return titleSize().height() / 2;
}

QSize CheckTitledFrame::withTitle(QSize frameSize) const {
    const QSize title = titleSize();
    return {std::max(frameSize.width(), title.width() + 2 * kTitleIndent), frameSize.height() + frameTop()};
}

QSize CheckTitledFrame::sizeHint() const {
    return withTitle(m_frame->sizeHint());
}

QSize CheckTitledFrame::minimumSizeHint() const {
    return withTitle(m_frame->minimumSizeHint());
}

void CheckTitledFrame::resizeEvent(QResizeEvent* /*event*/) {
    const int top = frameTop();
    m_frame->setGeometry(0, top, width(), height() - top);
    const QSize title = titleSize();
    m_title->setGeometry(kTitleIndent, 0, std::min(title.width(), width() - 2 * kTitleIndent),
                         title.height());
}

} // namespace mivo
