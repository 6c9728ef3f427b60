#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace mivo {

struct FileOpenRequest {
    QString title;         // empty: the platform's own title
    QString filter;        // "Description|pattern|Description|pattern", possibly with a trailing bar
    QString startFileName; // the file the dialog opens on
    QString shownFilter;   // the description of the filter selected at opening; empty: the first
};

// Asks the user for an existing file; nullopt when the user cancels.
class FileOpenDialog {
public:
    virtual ~FileOpenDialog() = default;
    virtual std::optional<QString> chooseFile(QWidget* parent, const FileOpenRequest& request) = 0;
};

} // namespace mivo
