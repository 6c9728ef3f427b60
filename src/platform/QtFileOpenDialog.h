#pragma once

#include "platform/FileOpenDialog.h"

namespace mivo {

// The desktop's file dialog, shown with the filters of the request.
class QtFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<QString> chooseFile(QWidget* parent, const FileOpenRequest& request) override;
};

// Turns "Description|patterns|Description|patterns|" into Qt's "Description (patterns);;...".
// Each entry ends in the patterns Qt matches with, so the dialog must hide those details to show
// the descriptions exactly as written. "*.*" stands for every file, as it does on Windows, also
// for names without a dot. An empty filter, or one without a single complete pair, gives "": every
// file.
[[nodiscard]] QString qtNameFilter(const QString& pipeFilter);

// The entry of qtNameFilter(pipeFilter) that shows `description`; empty when there is none.
[[nodiscard]] QString qtSelectedNameFilter(const QString& pipeFilter, const QString& description);

} // namespace mivo
