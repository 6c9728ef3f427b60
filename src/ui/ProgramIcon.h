#pragma once

#include <QIcon>

namespace mivo {

// The id shared by the desktop file, the AppStream metadata and the installed icon theme entries.
inline constexpr char kDesktopId[] = "io.github.mivo.Mivo";

// Path of the 48 px program icon inside the compiled-in resources.
inline constexpr char kProgramIconResource[] = ":/mivo/mivo.png";

// The program's own icon, for windows and the tray, from the compiled-in picture. Needs a
// QGuiApplication to exist.
QIcon programIcon();

} // namespace mivo
