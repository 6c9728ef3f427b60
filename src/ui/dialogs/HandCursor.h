#pragma once

#include <QPoint>

class QCursor;

namespace mivo {

// The hand the link labels show: 32 x 32 pixels, pointing up, the tip of the index finger on the hot
// spot, so that what is hit is what the finger touches.
inline constexpr int kHandCursorSize = 32;
inline constexpr QPoint kHandCursorHotSpot{5, 0};

[[nodiscard]] QCursor handCursor();

} // namespace mivo
