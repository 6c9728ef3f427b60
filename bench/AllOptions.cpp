#include "AllOptions.h"

#include "MainWindowDriver.h"

namespace mivo::bench {
namespace {
QString fromCatalogue(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

OptionSnapshot everythingTicked() {
    OptionSnapshot options = designedSnapshot();
    options.checkValues.fill(1);
    for (const OptionGroupRow& group : kOptionGroups)
        options.selected[optionIndex(group.defaultOption)] = true;
    for (std::size_t i = 0; i < kNumberFields.size(); ++i) {
        options.numberTexts[i] = fromCatalogue(kNumberFields[i].maximumText);
        options.validity[i] = Validity::InRange;
    }
    return options;
}

void tickEverything(const testing::MainWindowDriver& driver) {
    for (int number = 1; number <= static_cast<int>(kCheckBoxes.size()); ++number)
        driver.check(number)->setChecked(true);
    // Typed text is checked as it changes, which is what marks a field as in range.
    for (std::size_t i = 0; i < kNumberFields.size(); ++i)
        driver.field(static_cast<int>(i) + 1)->setText(fromCatalogue(kNumberFields[i].maximumText));
}

} // namespace mivo::bench
