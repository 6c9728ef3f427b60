#include "platform/QtUrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace mivo {

void QtUrlOpener::open(const QString& target) {
    // Tolerant parsing keeps "mailto:" and "https://" addresses as they are and only escapes what
    // could not stand in an address (a blank, a lone '%'); strict parsing would drop such an address
    // instead.
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
}

} // namespace mivo
