#pragma once

class QWidget;

namespace mivo {

// Window sizes are designed in twips; fifteen make one device-independent pixel, and Qt scales those
// for the screen.
constexpr int twips(int length) {
    return length / 15;
}

// Places a window in the middle of the screen it is on, before it is first shown.
void centreOnScreen(QWidget& window);

} // namespace mivo
