#pragma once

#include "platform/DesktopServices.h"

namespace mivo {

// Writes each line to standard error at once, so that it is there even if the process ends next.
class StandardErrorLog final : public ErrorLog {
public:
    void write(const QString& line) override;
};

} // namespace mivo
