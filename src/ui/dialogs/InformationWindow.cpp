#include "ui/dialogs/InformationWindow.h"

#include "ui/Named.h"
#include "ui/WindowGeometry.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace mivo {
namespace {

constexpr int kOkWidth = 975;
constexpr int kOkHeight = 375;
constexpr int kMargin = 90;
constexpr double kSmallestPointSize = 6.5;

} // namespace

InformationWindow::InformationWindow(
    const QString& objectName, const QString& title, QSize clientSize,
    const std::function<void(QVBoxLayout& content, QWidget& window)>& buildContent)
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint)
    , m_ok(named(new QPushButton(QStringLiteral("&Ok")), QStringLiteral("Command1"))) {
    setObjectName(objectName);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(clientSize.width()), twips(clientSize.height()));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(twips(kMargin), twips(kMargin), twips(kMargin), twips(kMargin));
    outer->setSpacing(twips(kMargin) / 2);
    auto* content = new QVBoxLayout;
    content->setSpacing(0);
    outer->addLayout(content, 1);
    buildContent(*content, *this);

    auto* buttons = new QDialogButtonBox(Qt::Horizontal, this);
    buttons->setCenterButtons(true);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    m_ok->setFixedSize(twips(kOkWidth), twips(kOkHeight));
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    m_ok->setFocus();

    shrinkFontUntilContentFits();
    centreOnScreen(*this);
}

void InformationWindow::done(int result) {
    emit closing();
    QDialog::done(result);
}

void InformationWindow::shrinkFontUntilContentFits() {
    // The sizes were laid out for a smaller desktop font than most have today; rather than cut text
    // off, the text gets smaller until all of it fits the fixed window.
    QFont font = this->font();
    while (!contentFits() && font.pointSizeF() - 0.5 >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        setFont(font);
    }
}

bool InformationWindow::contentFits() const {
    QLayout* outer = layout();
    // Activating again also drops what the nested layouts remember of the old font.
    outer->invalidate();
    outer->activate();
    const QSize minimum = outer->totalMinimumSize();
    const int height =
        outer->hasHeightForWidth() ? outer->totalHeightForWidth(width()) : outer->totalSizeHint().height();
    return minimum.width() <= width() && height <= this->height();
}

} // namespace mivo
