#include "ui/ProgramIcon.h"

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QString>
#include <QtDebug>

namespace mivo {

namespace {

// Last resort when the resource did not make it into the binary: the same colours and the play triangle,
// so the window still has a recognisable, non-empty icon.
QIcon drawnStandIn() {
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(2, 10, 44, 28), 10, 10);
    painter.fillPath(body, QColor(0x6a, 0x3c, 0xe6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xc8, 0x3d));
    painter.drawPolygon(QPolygonF({QPointF(19, 14), QPointF(19, 34), QPointF(35, 24)}));
    painter.end();
    return {QPixmap::fromImage(image)};
}

} // namespace

QIcon programIcon() {
    // Load the picture first and build the icon from it: an icon made from a path that does not exist is
    // empty but not necessarily "null" (Qt 6.4 reports such an icon as non-null), so the check has to be
    // made on the picture itself. With its format named and guessing turned off, Qt reads it with its own
    // PNG reader at once: guessing would load every image format plugin to ask each about the file.
    QImageReader reader(QString::fromLatin1(kProgramIconResource), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        qWarning("Mivo: the program icon %s is missing from the resources; using a drawn stand-in",
                 kProgramIconResource);
        return drawnStandIn();
    }
    return {QPixmap::fromImage(image)};
}

} // namespace mivo
