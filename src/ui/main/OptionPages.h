#pragma once

#include "core/CommandLine.h"
#include "core/OptionCatalog.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QSize;
class QWidget;

namespace mivo {

class NumberField;

// The option controls of the main window's first three tabs, built from the option catalogue and
// looked up by catalogue index. The widgets belong to their pages; this class only knows where they are.
class OptionPages {
public:
    explicit OptionPages(QWidget* pageParent);

    [[nodiscard]] QWidget* page(OptionTab tab) const;
    [[nodiscard]] QCheckBox& checkBox(std::size_t index) const { return *m_checkBoxes.at(index); }
    [[nodiscard]] QRadioButton& optionButton(std::size_t index) const { return *m_optionButtons.at(index); }
    [[nodiscard]] NumberField& numberField(std::size_t index) const { return *m_numberFields.at(index); }
    [[nodiscard]] QGroupBox& frame(std::size_t groupIndex) const { return *m_frames.at(groupIndex); }

    // The state of every option as the controls hold it now.
    [[nodiscard]] OptionSnapshot snapshot() const;

    // The rows are packed to the height of their text when the pages are built. Where a page does not
    // fit into `pageArea` with the window's font, steps the pages' font down by half points (not below 7)
    // until all fit.
    // The window keeps its designed size; nothing is cut off on a desktop with a larger font.
    void fitInto(QSize pageArea) const;

    // Puts each group on its default choice with all its buttons disabled, as at every start.
    void selectGroupDefaults() const;

private:
    QWidget* buildPage(OptionTab tab, QWidget* parent);
    QWidget* buildGroup(std::size_t groupIndex, QWidget* parent);
    QWidget* buildCheckBoxRow(std::size_t checkIndex, QWidget* parent);

    std::array<QWidget*, 3> m_pages{};
    std::array<QCheckBox*, kCheckBoxCount> m_checkBoxes{};
    std::array<QRadioButton*, kOptionButtonCount> m_optionButtons{};
    std::array<NumberField*, kNumberFieldCount> m_numberFields{};
    std::array<QGroupBox*, kOptionGroupCount> m_frames{};
};

// Ticking a heading check box makes its frame and dependent controls usable, clearing it makes them
// unusable; nothing else changes. Runs on every change of the box, whoever makes it.
void connectInterlocks(const OptionPages& pages);

} // namespace mivo
