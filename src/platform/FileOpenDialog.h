#pragma once

#include "core/FileFilter.h"

#include <QString>

#include <optional>

class QWidget;

namespace mivo {

struct FileOpenRequest {
    QString title; // empty: the platform's own title
    FileFilter filter;
    QString startFileName; // the file the dialog opens on
};

// Asks the user for an existing file; nullopt when the user cancels.
class FileOpenDialog {
public:
    virtual ~FileOpenDialog() = default;
    virtual std::optional<QString> chooseFile(QWidget* parent, const FileOpenRequest& request) = 0;
};

} // namespace mivo
