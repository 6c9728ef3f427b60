#include "ui/main/RomDrag.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace mivo {
namespace {

std::optional<QString> draggedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    QString path = urls.front().toLocalFile();
    if (QFileInfo(path).isDir())
        return std::nullopt;
    return path;
}

} // namespace

std::optional<QString> acceptRomDrag(QDropEvent& event) {
    auto path = draggedFile(event.mimeData());
    if (!path || !event.possibleActions().testFlag(Qt::CopyAction)) {
        event.ignore();
        return std::nullopt;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return path;
}

} // namespace mivo
