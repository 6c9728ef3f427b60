#include "core/CommandLine.h"

#include <algorithm>

namespace mivo {
namespace {

enum class Source { CheckBox, OptionButton, NumberField };

struct Contribution {
    int step;
    Source source;
    std::size_t index;
};

constexpr std::size_t countSteps() {
    return kOptionButtons.size() + kNumberFields.size() +
           static_cast<std::size_t>(std::count_if(kCheckBoxes.begin(), kCheckBoxes.end(),
                                                  [](const CheckBoxRow& row) { return row.step > 0; }));
}
// 61 steps, one of which two boxes share.
static_assert(countSteps() == 62, "every step has its row");

// Every row that can add a switch, sorted by step once at compile time. Two rows may share a step
// (either of two boxes gives " -y"); the step then counts once.
constexpr auto kContributions = [] {
    std::array<Contribution, countSteps()> list{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < kCheckBoxes.size(); ++i) {
        if (kCheckBoxes[i].step > 0)
            list[next++] = {kCheckBoxes[i].step, Source::CheckBox, i};
    }
    for (std::size_t i = 0; i < kOptionButtons.size(); ++i)
        list[next++] = {kOptionButtons[i].step, Source::OptionButton, i};
    for (std::size_t i = 0; i < kNumberFields.size(); ++i)
        list[next++] = {kNumberFields[i].step, Source::NumberField, i};
    std::ranges::sort(list, {}, &Contribution::step);
    return list;
}();

bool ticked(const OptionSnapshot& options, int checkNumber) {
    return options.checkValues[checkIndex(checkNumber)] == 1;
}

bool holds(const Contribution& contribution, const OptionSnapshot& options) {
    if (contribution.source == Source::CheckBox)
        return options.checkValues[contribution.index] == 1;
    if (contribution.source == Source::OptionButton) {
        const auto& button = kOptionButtons[contribution.index];
        return ticked(options, groupRow(button.group).headingCheck) && options.selected[contribution.index];
    }
    return ticked(options, kNumberFields[contribution.index].headingCheck) &&
           options.validity[contribution.index] == Validity::InRange;
}

void appendLatin1(QString& text, std::string_view part) {
    text.append(QLatin1StringView(part.data(), static_cast<qsizetype>(part.size())));
}

} // namespace

OptionSnapshot designedSnapshot() {
    OptionSnapshot options;
    std::ranges::transform(kCheckBoxes, options.checkValues.begin(),
                           [](const CheckBoxRow& row) { return int{row.designedTicked}; });
    std::ranges::transform(kNumberFields, options.numberTexts.begin(),
                           [](const NumberFieldRow& row) { return catalogueText(row.startText); });
    return options;
}

QString composeCommandLine(const QString& zsnesPath, const OptionSnapshot& options) {
    QString line = zsnesPath;
    int lastStep = 0;
    for (const auto& contribution : kContributions) {
        if (contribution.step == lastStep || !holds(contribution, options))
            continue;
        lastStep = contribution.step;
        switch (contribution.source) {
        case Source::CheckBox:
            appendLatin1(line, kCheckBoxes[contribution.index].switchText);
            break;
        case Source::OptionButton:
            appendLatin1(line, kOptionButtons[contribution.index].switchText);
            break;
        case Source::NumberField:
            appendLatin1(line, kNumberFields[contribution.index].switchText);
            line.append(options.numberTexts[contribution.index]);
            break;
        }
    }
    return line;
}

} // namespace mivo
