#pragma once

#include "platform/DesktopServices.h"

namespace mivo {

// Ends the process with exit status 0 without running destructors or exit handlers, like a program
// that simply stops. What was already printed still gets out.
class QtProcessEnd final : public ProcessEnd {
public:
    [[noreturn]] void endNow() override;
};

} // namespace mivo
