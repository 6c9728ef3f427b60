#pragma once

#include "platform/ProgramStarter.h"

#include <chrono>

namespace mivo {

// Starts programs as Mivo's own children, without a shell, and watches each for `watchTime` after its
// start. The programs stay independent: they outlive Mivo and are never stopped by it.
class QtProgramStarter final : public ProgramStarter {
    Q_OBJECT

public:
    explicit QtProgramStarter(std::chrono::milliseconds watchTime = std::chrono::seconds(3),
                              QObject* parent = nullptr);

    StartResult start(const ProgramInvocation& invocation) override;

private:
    std::chrono::milliseconds m_watchTime;
};

} // namespace mivo
