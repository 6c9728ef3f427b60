#include "ui/dialogs/HandCursor.h"

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace mivo {
namespace {

// Clockwise from the finger tip: index finger, the tops of the three bent fingers, palm, thumb.
QPolygon handOutline() {
    return QPolygon({{4, 0},  {6, 0},  {7, 1},  {7, 8},  {8, 7},  {10, 7}, {11, 8},  {12, 8},  {13, 7},
                     {15, 7}, {16, 8}, {17, 8}, {18, 7}, {20, 7}, {21, 8}, {21, 17}, {19, 21}, {18, 25},
                     {8, 25}, {7, 21}, {1, 14}, {1, 12}, {2, 11}, {3, 11}, {3, 1}});
}

} // namespace

QCursor handCursor() {
    // Drawn rather than shipped as a picture, so that it is the same on every desktop theme and has
    // its hot spot exactly where the finger ends.
    QImage image(kHandCursorSize, kHandCursorSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, 0));
        painter.setBrush(Qt::white);
        painter.drawPolygon(handOutline());
        // The creases between the bent fingers.
        painter.drawLine(11, 9, 11, 13);
        painter.drawLine(16, 9, 16, 13);
        painter.drawLine(7, 9, 7, 13);
    }
    return QCursor(QPixmap::fromImage(image), kHandCursorHotSpot.x(), kHandCursorHotSpot.y());
}

} // namespace mivo
