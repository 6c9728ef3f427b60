#pragma once

// Texts the program compares against or shows in more than one place. The doubled apostrophes are
// part of the placeholders.

#include "core/Version.h"

namespace mivo::texts {

inline constexpr char kZsnesPlaceholder[] = "Goto ''Setup'' to choose the Zsnes path";
inline constexpr char kRomPlaceholder[] = "Goto ''Setup'' to load a Rom";
inline constexpr char kRomulusPlaceholder[] = "Romulus path not selected";

inline constexpr const auto& kMainWindowTitle = kNameAndVersion;
// The tray's tooltip names an older version than the title, and has to: that is how the program is
// designed to look. It does not follow the project's version.
inline constexpr char kTrayToolTip[] = "Mivo v1.45";

inline constexpr char kZsnesFieldStartText[] = "Zsnes Path";
inline constexpr char kRomulusFieldStartText[] = "Romulus Path";

} // namespace mivo::texts
