#pragma once

#include "core/NumberRule.h"
#include "core/OptionCatalog.h"

#include <QString>

#include <array>

namespace mivo {

// The state of every option control, read at the moment "View Syntax" is pressed. Check-box values
// follow the stored convention: 0 unticked, 1 ticked, 2 greyed; only 1 counts as ticked.
struct OptionSnapshot {
    std::array<int, kCheckBoxCount> checkValues{};
    std::array<bool, kOptionButtonCount> selected{};
    std::array<QString, kNumberFieldCount> numberTexts;
    std::array<Validity, kNumberFieldCount> validity{};
};

// The record as the window holds it before any setting is restored or any group is chosen.
OptionSnapshot designedSnapshot();

// The ZSNES command line: the path, unchanged, followed by one switch for each option in force, in the
// catalogue's step order. Nothing is quoted.
QString composeCommandLine(const QString& zsnesPath, const OptionSnapshot& options);

} // namespace mivo
