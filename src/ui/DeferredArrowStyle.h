#pragma once

#include <QProxyStyle>

namespace mivo {

// The application's style, except that the arrow a menu bar shows when its menus do not fit is read
// only when it is first drawn. Qt reads that picture as the menu bar is made, and to read it loads
// every image format plugin it has: a cost at every start for an arrow Mivo's menu bar hardly ever shows.
class DeferredArrowStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Wraps a new instance of the style named `styleName`, as QStyleFactory knows it.
    explicit DeferredArrowStyle(const QString& styleName);

    [[nodiscard]] QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                                     const QWidget* widget) const override;
};

} // namespace mivo
