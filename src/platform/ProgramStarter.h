#pragma once

#include "core/LaunchLine.h"

#include <QString>

namespace mivo {

struct StartResult {
    bool started = false;
    QString failureReason; // the system's words, when not started
};

// Starts another program and does not wait for it. The program gets its arguments exactly as given:
// no shell sees them, and nothing is left behind as a zombie when it ends.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual StartResult start(const ProgramInvocation& invocation) = 0;
};

} // namespace mivo
