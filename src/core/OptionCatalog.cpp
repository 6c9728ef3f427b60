#include "core/OptionCatalog.h"

#include <algorithm>

namespace mivo {
namespace {

// The catalogue's own rules, checked when the program is built: a slip in a row fails the build
// instead of showing up as a wrong control or a wrong command line.

constexpr bool isNumbered(std::string_view name, std::string_view prefix, std::size_t number) {
    if (!name.starts_with(prefix) || name.size() == prefix.size())
        return false;
    std::size_t value = 0;
    for (const char digit : name.substr(prefix.size())) {
        if (digit < '0' || digit > '9')
            return false;
        value = value * 10 + static_cast<std::size_t>(digit - '0');
    }
    return value == number;
}

constexpr bool rowsAreNumberedInOrder() {
    bool ordered = true;
    for (std::size_t i = 0; i < kCheckBoxes.size(); ++i)
        ordered = ordered && isNumbered(kCheckBoxes[i].name, "Check", i + 1);
    for (std::size_t i = 0; i < kOptionButtons.size(); ++i)
        ordered = ordered && isNumbered(kOptionButtons[i].name, "Option", i + 1);
    for (std::size_t i = 0; i < kNumberFields.size(); ++i) {
        ordered = ordered && isNumbered(kNumberFields[i].name, "Text", i + 1) &&
                  isNumbered(kNumberFields[i].flagName, "Label", i + 2);
    }
    return ordered;
}

// Steps 1 to 61 each belong to one row, but for the one step two boxes share.
constexpr bool everyStepIsTakenOnce() {
    constexpr int kSharedStep = 47;
    std::array<int, 62> uses{};
    for (const auto& row : kCheckBoxes)
        ++uses.at(static_cast<std::size_t>(row.step));
    for (const auto& row : kOptionButtons)
        ++uses.at(static_cast<std::size_t>(row.step));
    for (const auto& row : kNumberFields)
        ++uses.at(static_cast<std::size_t>(row.step));
    bool once = true;
    for (int step = 1; step <= 61; ++step)
        once = once && uses.at(static_cast<std::size_t>(step)) == (step == kSharedStep ? 2 : 1);
    return once;
}

constexpr bool switchesAreWellFormed() {
    bool wellFormed = true;
    for (const auto& row : kCheckBoxes)
        wellFormed = wellFormed && row.switchText.empty() == (row.step == 0) &&
                     (row.switchText.empty() || row.switchText.front() == ' ');
    for (const auto& row : kOptionButtons)
        wellFormed = wellFormed && row.switchText.starts_with(' ');
    for (const auto& row : kNumberFields)
        wellFormed = wellFormed && row.switchText.starts_with(' ') && row.switchText.ends_with(' ');
    return wellFormed;
}

// Every button stands in a frame, a heading box heads one group or one field and adds no switch
// itself, and each group's default button belongs to that group.
constexpr bool headingsAndDefaultsFit() {
    std::array<int, kCheckBoxCount + 1> headed{};
    bool fit = true;
    for (const auto& group : kOptionGroups) {
        ++headed.at(static_cast<std::size_t>(group.headingCheck));
        fit = fit && kOptionButtons.at(optionIndex(group.defaultOption)).group == group.group;
    }
    for (const auto& field : kNumberFields)
        ++headed.at(static_cast<std::size_t>(field.headingCheck));
    for (const auto& button : kOptionButtons) {
        bool hasFrame = false;
        for (const auto& group : kOptionGroups)
            hasFrame = hasFrame || group.group == button.group;
        fit = fit && hasFrame;
    }
    for (std::size_t number = 1; number <= kCheckBoxCount; ++number)
        fit =
            fit && headed.at(number) <= 1 && (headed.at(number) == 0 || kCheckBoxes.at(number - 1).step == 0);
    return fit;
}

static_assert(rowsAreNumberedInOrder(), "every row is named after its place in its table");
static_assert(everyStepIsTakenOnce(), "every step of the command line belongs to one row");
static_assert(switchesAreWellFormed(), "switches start with a blank, and only rows with a step have one");
static_assert(headingsAndDefaultsFit(), "heading boxes head one thing; defaults lie in their group");

} // namespace

const OptionGroupRow& groupRow(OptionGroup group) {
    const auto* row =
        std::find_if(kOptionGroups.begin(), kOptionGroups.end(),
                     [group](const OptionGroupRow& candidate) { return candidate.group == group; });
    return *row; // every button's group has a frame: checked when the program is built
}

namespace {

// Where in `rows` the row headed by the box `checkBox` stands, if one is.
template <typename Rows> std::optional<std::size_t> rowHeadedBy(const Rows& rows, std::size_t checkBox) {
    const auto row = std::find_if(rows.begin(), rows.end(), [checkBox](const auto& r) {
        return checkIndex(r.headingCheck) == checkBox;
    });
    if (row == rows.end())
        return std::nullopt;
    return static_cast<std::size_t>(row - rows.begin());
}

} // namespace

std::optional<std::size_t> groupHeadedBy(std::size_t checkBox) {
    return rowHeadedBy(kOptionGroups, checkBox);
}

std::optional<std::size_t> numberFieldHeadedBy(std::size_t checkBox) {
    return rowHeadedBy(kNumberFields, checkBox);
}

} // namespace mivo
