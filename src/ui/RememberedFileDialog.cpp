#include "ui/RememberedFileDialog.h"

#include "platform/FileOpenDialog.h"

namespace mivo {

RememberedFileDialog::RememberedFileDialog(const QString& name, QString title, QString filter,
                                           QString shownFilter, QObject* parent)
    : QObject(parent)
    , m_title(std::move(title))
    , m_filter(std::move(filter))
    , m_shownFilter(std::move(shownFilter)) {
    setObjectName(name);
}

bool RememberedFileDialog::show(QWidget* parent, FileOpenDialog& dialogs) {
    const auto chosen = dialogs.chooseFile(parent, {m_title, m_filter, m_fileName, m_shownFilter});
    if (!chosen)
        return false;
    m_fileName = *chosen;
    return true;
}

} // namespace mivo
