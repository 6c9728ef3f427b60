#include "core/OptionCatalog.h"

#include <algorithm>

namespace mivo {

const OptionGroupRow& groupRow(OptionGroup group) {
    const auto* row =
        std::find_if(kOptionGroups.begin(), kOptionGroups.end(),
                     [group](const OptionGroupRow& candidate) { return candidate.group == group; });
    return *row; // every group has a row; the catalogue test holds the table to that
}

std::optional<std::size_t> groupHeadedBy(std::size_t checkBox) {
    for (std::size_t i = 0; i < kOptionGroups.size(); ++i) {
        if (checkIndex(kOptionGroups[i].headingCheck) == checkBox)
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> numberFieldHeadedBy(std::size_t checkBox) {
    for (std::size_t i = 0; i < kNumberFields.size(); ++i) {
        if (checkIndex(kNumberFields[i].headingCheck) == checkBox)
            return i;
    }
    return std::nullopt;
}

} // namespace mivo
