#pragma once

#include "platform/DesktopServices.h"

namespace mivo {

// A modal warning box with one OK button.
class QtMessenger final : public Messenger {
public:
    void warn(QWidget* parent, const QString& title, const QString& text, const QString& details) override;
};

} // namespace mivo
