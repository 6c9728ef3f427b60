#pragma once

#include <QString>

#include <optional>

class QDropEvent;

namespace mivo {

// Answers a drag over the main window, or its drop: one local file, not a folder, is taken as a copy and
// its path returned; anything else (an address that is no local file, several files, text, a drag offered
// only as a move, after which the source could delete its file) is refused, which shows the no-drop pointer.
std::optional<QString> acceptRomDrag(QDropEvent& event);

} // namespace mivo
