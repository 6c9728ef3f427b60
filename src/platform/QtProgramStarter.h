#pragma once

#include "platform/ProgramStarter.h"

namespace mivo {

// Starts programs as processes of their own, detached from Mivo: they outlive it and are never
// waited for.
class QtProgramStarter final : public ProgramStarter {
public:
    StartResult start(const ProgramInvocation& invocation) override;
};

} // namespace mivo
