#include "app/StartRom.h"

#include "platform/DesktopServices.h"
#include "platform/SystemMessage.h"
#include "ui/main/MainWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {

std::optional<QString> unreadableReason(const QString& path) {
    // Opened, not only looked at: a file the user may not read is as good as missing.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor == -1)
        return systemMessage(errno);
    struct stat status {};
    const bool isFolder = ::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode);
    ::close(descriptor);
    if (isFolder)
        return systemMessage(EISDIR);
    return std::nullopt;
}

void chooseStartRom(MainWindow& window, Messenger& messages, const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (const auto reason = unreadableReason(fullPath)) {
        messages.warn(
            &window, QCoreApplication::translate("Mivo", "Mivo"),
            QCoreApplication::translate("Mivo", "The ROM\n%1\ncannot be read.\n\n%2\n\nNo ROM is chosen.")
                .arg(fullPath, *reason));
        return;
    }
    window.chooseRom(fullPath);
}

} // namespace mivo
