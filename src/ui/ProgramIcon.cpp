#include "ui/ProgramIcon.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace mivo {

QIcon programIcon() {
    // With its format named and guessing turned off, Qt reads the picture with its own PNG reader at once:
    // guessing would load every image format plugin to ask each about the file.
    QImageReader reader(QString::fromLatin1(kProgramIconResource), "png");
    reader.setAutoDetectImageFormat(false);
    return {QPixmap::fromImage(reader.read())};
}

} // namespace mivo
