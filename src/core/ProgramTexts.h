#pragma once

// Texts the program compares against or shows in more than one place. The doubled apostrophes are
// part of the placeholders.

namespace mivo::texts {

inline constexpr char kZsnesPlaceholder[] = "Goto ''Setup'' to choose the Zsnes path";
inline constexpr char kRomPlaceholder[] = "Goto ''Setup'' to load a Rom";
inline constexpr char kRomulusPlaceholder[] = "Romulus path not selected";

inline constexpr char kMainWindowTitle[] = "Mivo v1.60";
inline constexpr char kTrayToolTip[] = "Mivo v1.45";

inline constexpr char kZsnesFieldStartText[] = "Zsnes Path";
inline constexpr char kRomulusFieldStartText[] = "Romulus Path";

} // namespace mivo::texts
