#pragma once

// The four values Mivo keeps between runs, all stored as text in one section. Check-box values are
// written as the decimal digits of the box's value.

namespace mivo::settings {

inline constexpr char kSection[] = "settings";
inline constexpr char kMinimizeToTray[] = "Minimize to tray";
inline constexpr char kIconInTray[] = "Icon in tray";
inline constexpr char kZsnesPath[] = "zsnesfilepath";
inline constexpr char kRomulusPath[] = "romuluspath";

} // namespace mivo::settings
