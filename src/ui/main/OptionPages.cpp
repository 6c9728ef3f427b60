#include "ui/main/OptionPages.h"

#include "ui/Named.h"
#include "ui/main/CheckTitledFrame.h"
#include "ui/main/CheckValue.h"
#include "ui/main/NumberField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace mivo {
namespace {

// "Turn on frame skip [0-9]" names its field "Turn on frame skip": a screen reader need not read
// the range twice.
QString fieldAccessibleName(std::string_view caption) {
    const QString text = catalogueText(caption);
    const qsizetype range = text.indexOf(QLatin1StringView(" ["));
    return range == -1 ? text : text.left(range);
}

constexpr int kRowSpacing = 0;
constexpr int kGapBeforeRow = 8;

// An item standing on a tab: a frame with its group, or a check box row.
struct PageItem {
    Placement placement;
    bool isGroup;
    std::size_t index;
};

std::vector<PageItem> itemsOn(OptionTab tab) {
    std::vector<PageItem> items;
    for (std::size_t i = 0; i < kOptionGroups.size(); ++i) {
        if (kOptionGroups.at(i).placement.tab == tab)
            items.push_back({kOptionGroups.at(i).placement, true, i});
    }
    for (std::size_t i = 0; i < kCheckBoxes.size(); ++i) {
        if (kCheckBoxes.at(i).placement.tab == tab && !groupHeadedBy(i))
            items.push_back({kCheckBoxes.at(i).placement, false, i});
    }
    std::sort(items.begin(), items.end(), [](const PageItem& a, const PageItem& b) {
        return std::pair(a.placement.row, a.placement.column) <
               std::pair(b.placement.row, b.placement.column);
    });
    return items;
}

void packRows(QWidget& page) {
    for (auto* button : page.findChildren<QAbstractButton*>()) {
        const int text = button->fontMetrics().height();
        button->setFixedHeight(std::max(text + 2, 15));
    }
    for (auto* field : page.findChildren<QLineEdit*>()) {
        field->setFixedHeight(field->fontMetrics().height() + 4);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    }
    // Below a frame's title the buttons start clear of the box standing on its edge.
    for (auto* frame : page.findChildren<QGroupBox*>())
        frame->layout()->setContentsMargins(10, frame->fontMetrics().height() / 2 + 4, 6, 3);
    for (auto* frame : page.findChildren<CheckTitledFrame*>())
        frame->updateGeometry();
}

bool fits(QSize needed, QSize area) {
    return needed.boundedTo(area) == needed; // neither wider nor taller
}

} // namespace

OptionPages::OptionPages(QWidget* pageParent) {
    for (const OptionTab tab : {OptionTab::Video, OptionTab::SoundControls, OptionTab::Misc}) {
        QWidget* page = buildPage(tab, pageParent);
        // Packed before anything measures the page, so that its layout is worked out once, at this size.
        packRows(*page);
        m_pages.at(static_cast<std::size_t>(tab)) = page;
    }
}

QWidget* OptionPages::page(OptionTab tab) const {
    return m_pages.at(static_cast<std::size_t>(tab));
}

QWidget* OptionPages::buildPage(OptionTab tab, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* grid = new QGridLayout(page);
    grid->setVerticalSpacing(kRowSpacing);
    grid->setContentsMargins(6, 4, 6, 4);

    const auto items = itemsOn(tab);
    const int columns = 1 + std::max_element(items.begin(), items.end(), [](const auto& a, const auto& b) {
                                return a.placement.column < b.placement.column;
                            })->placement.column;
    int gridRow = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const PageItem& item = items.at(i);
        const bool sharesRow = (i > 0 && items.at(i - 1).placement.row == item.placement.row) ||
                               (i + 1 < items.size() && items.at(i + 1).placement.row == item.placement.row);
        if (i > 0 && items.at(i - 1).placement.row != item.placement.row)
            ++gridRow;
        if (!item.isGroup && kCheckBoxes.at(item.index).gapBefore)
            grid->setRowMinimumHeight(gridRow++, kGapBeforeRow);
        QWidget* widget = item.isGroup ? buildGroup(item.index, page) : buildCheckBoxRow(item.index, page);
        grid->addWidget(widget, gridRow, item.placement.column, 1, sharesRow ? 1 : columns);
    }
    grid->setRowStretch(gridRow + 1, 1);
    return page;
}

QWidget* OptionPages::buildGroup(std::size_t groupIndex, QWidget* parent) {
    const OptionGroupRow& group = kOptionGroups.at(groupIndex);
    const std::size_t heading = checkIndex(group.headingCheck);

    // The title is made first so that the keyboard reaches it before the buttons it enables.
    auto* title = named(new QCheckBox(catalogueText(kCheckBoxes.at(heading).caption)),
                        catalogueText(kCheckBoxes.at(heading).name));
    m_checkBoxes.at(heading) = title;

    auto* frame = named(new QGroupBox, catalogueText(group.frameName));
    // Named like its title, less the colon, so that the frame and the box are told apart by name.
    frame->setAccessibleName(title->text().remove(u':'));
    m_frames.at(groupIndex) = frame;

    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(kRowSpacing);
    for (std::size_t i = 0; i < kOptionButtons.size(); ++i) {
        const OptionButtonRow& row = kOptionButtons.at(i);
        if (row.group != group.group)
            continue;
        auto* button = named(new QRadioButton(catalogueText(row.caption), frame), catalogueText(row.name));
        m_optionButtons.at(i) = button;
        if (row.centred)
            grid->addWidget(button, row.gridRow, 0, 1, group.columns, Qt::AlignHCenter);
        else
            grid->addWidget(button, row.gridRow, row.gridColumn);
    }
    return new CheckTitledFrame(title, frame, parent);
}

QWidget* OptionPages::buildCheckBoxRow(std::size_t index, QWidget* parent) {
    const CheckBoxRow& row = kCheckBoxes.at(index);
    auto* box = named(new QCheckBox(catalogueText(row.caption), parent), catalogueText(row.name));
    setCheckValue(*box, row.designedTicked ? 1 : 0);
    m_checkBoxes.at(index) = box;

    const auto field = numberFieldHeadedBy(index);
    if (!field)
        return box;

    auto* line = new QWidget(parent);
    auto* layout = new QHBoxLayout(line); // takes the box in as a child of the line
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    auto* number =
        named(new NumberField(kNumberFields.at(*field), line), catalogueText(kNumberFields.at(*field).name));
    number->setAccessibleName(fieldAccessibleName(row.caption));
    m_numberFields.at(*field) = number;
    layout->addWidget(number);
    layout->addStretch();
    return line;
}

OptionSnapshot OptionPages::snapshot() const {
    OptionSnapshot options;
    for (std::size_t i = 0; i < m_checkBoxes.size(); ++i)
        options.checkValues.at(i) = checkValue(*m_checkBoxes.at(i));
    for (std::size_t i = 0; i < m_optionButtons.size(); ++i)
        options.selected.at(i) = m_optionButtons.at(i)->isChecked();
    for (std::size_t i = 0; i < m_numberFields.size(); ++i) {
        options.numberTexts.at(i) = m_numberFields.at(i)->text();
        options.validity.at(i) = m_numberFields.at(i)->validity();
    }
    return options;
}

void OptionPages::fitInto(QSize pageArea) const {
    constexpr double kSmallestPointSize = 7.0;
    constexpr double kStep = 0.5;
    // The pages were packed at the window's font when they were built; at that font their layouts are
    // measured once, here, and with the usual desktop font that is all.
    QSize needed;
    for (QWidget* page : m_pages)
        needed = needed.expandedTo(page->layout()->totalSizeHint());
    QFont font = m_pages.front()->font();
    const double windowSize = font.pointSizeF();
    if (fits(needed, pageArea) || windowSize - kStep < kSmallestPointSize)
        return;
    // Text and rows shrink with the font, margins do not: the font scaled by the space there is to the
    // space needed is the largest that could fit, so the steps down start there and not at the top.
    const double scale = std::min(static_cast<double>(pageArea.width()) / needed.width(),
                                  static_cast<double>(pageArea.height()) / needed.height());
    const int lowestStep = static_cast<int>((windowSize - kSmallestPointSize) / kStep);
    for (int step = std::clamp(static_cast<int>(windowSize * (1.0 - scale) / kStep), 1, lowestStep);;
         ++step) {
        font.setPointSizeF(windowSize - step * kStep);
        bool allFit = true;
        for (QWidget* page : m_pages) {
            page->setFont(font);
            packRows(*page); // the new fixed sizes invalidate the page's layout
            allFit = allFit && fits(page->layout()->totalSizeHint(), pageArea);
        }
        if (allFit || step >= lowestStep)
            return;
    }
}

void OptionPages::selectGroupDefaults() const {
    for (const OptionGroupRow& group : kOptionGroups) {
        m_optionButtons.at(optionIndex(group.defaultOption))->setChecked(true);
        for (std::size_t i = 0; i < kOptionButtons.size(); ++i) {
            if (kOptionButtons.at(i).group == group.group)
                m_optionButtons.at(i)->setEnabled(false);
        }
    }
}

namespace {

// One rule for every heading box: a greyed box leaves its controls as they are.
void applyInterlock(const QCheckBox& heading, const std::vector<QWidget*>& dependents) {
    const int value = checkValue(heading);
    if (value != 0 && value != 1)
        return;
    for (QWidget* dependent : dependents)
        dependent->setEnabled(value == 1);
}

void bindInterlock(QCheckBox& heading, std::vector<QWidget*> dependents) {
    QObject::connect(&heading, &QCheckBox::stateChanged, &heading,
                     [&heading, dependents = std::move(dependents)] { applyInterlock(heading, dependents); });
}

} // namespace

void connectInterlocks(const OptionPages& pages) {
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        std::vector<QWidget*> dependents{&pages.frame(g)};
        for (std::size_t i = 0; i < kOptionButtons.size(); ++i) {
            if (kOptionButtons.at(i).group == kOptionGroups.at(g).group)
                dependents.push_back(&pages.optionButton(i));
        }
        bindInterlock(pages.checkBox(checkIndex(kOptionGroups.at(g).headingCheck)), std::move(dependents));
    }
    for (std::size_t f = 0; f < kNumberFields.size(); ++f)
        bindInterlock(pages.checkBox(checkIndex(kNumberFields.at(f).headingCheck)), {&pages.numberField(f)});
}

} // namespace mivo
