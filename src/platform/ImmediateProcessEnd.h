#pragma once

#include "platform/DesktopServices.h"

namespace mivo {

// Ends the process without running destructors or exit handlers, like a program that simply stops.
// What was already printed still gets out.
class ImmediateProcessEnd final : public ProcessEnd {
public:
    [[noreturn]] void endNow(int exitStatus) override;
};

} // namespace mivo
