#pragma once

#include "platform/FileOpenDialog.h"

namespace mivo {

// The desktop's file dialog, shown with the filters of the request.
class QtFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<QString> chooseFile(QWidget* parent, const FileOpenRequest& request) override;
};

} // namespace mivo
