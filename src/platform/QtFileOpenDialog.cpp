#include "platform/QtFileOpenDialog.h"

#include <QFileDialog>

namespace mivo {

std::optional<QString> QtFileOpenDialog::chooseFile(QWidget* parent, const FileOpenRequest& request) {
    QString selectedFilter = request.filter.selected;
    const QString chosen = QFileDialog::getOpenFileName(parent, request.title, request.startFileName,
                                                        request.filter.nameFilters.join(QStringLiteral(";;")),
                                                        &selectedFilter, QFileDialog::HideNameFilterDetails);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace mivo
