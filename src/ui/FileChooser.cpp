#include "ui/FileChooser.h"

#include "platform/FileOpenDialog.h"

namespace mivo {

FileChooser::FileChooser(QString title, FileFilter filter, QObject* parent)
    : QObject(parent)
    , m_title(std::move(title))
    , m_filter(std::move(filter)) {}

void FileChooser::show(QWidget* parent, FileOpenDialog& dialogs) {
    if (const auto chosen = dialogs.chooseFile(parent, {m_title, m_filter, m_fileName}))
        m_fileName = *chosen;
}

} // namespace mivo
