#pragma once

#include "platform/DesktopServices.h"

namespace mivo {

class QtBeeper final : public Beeper {
public:
    void beep() override;
};

} // namespace mivo
