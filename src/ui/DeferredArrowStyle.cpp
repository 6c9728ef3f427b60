#include "ui/DeferredArrowStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <optional>

namespace mivo {
namespace {

// One of a style's standard pictures, read from the style the first time anybody needs it.
class StandardIconOnDemand final : public QIconEngine {
public:
    StandardIconOnDemand(QStyle* style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    [[nodiscard]] QIconEngine* clone() const override { return new StandardIconOnDemand(*this); }

private:
    const QIcon& icon() {
        // A style that is gone has nothing to draw.
        if (!m_icon)
            m_icon = m_style ? m_style->standardIcon(m_which) : QIcon();
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    std::optional<QIcon> m_icon;
};

} // namespace

DeferredArrowStyle::DeferredArrowStyle(const QString& styleName)
    : QProxyStyle(styleName) {}

QIcon DeferredArrowStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                       const QWidget* widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton)
        return QIcon(new StandardIconOnDemand(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace mivo
