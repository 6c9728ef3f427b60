#pragma once

#include <optional>

namespace mivo::bench {

// How busy all CPUs of the machine were, every process counted, since this object was made. Every
// figure of the benchmark is slower on a busy machine; this says how busy it was while they were taken.
class MachineLoad {
public:
    MachineLoad();

    // Percent of CPU time not idle, or nothing when /proc/stat cannot tell.
    [[nodiscard]] std::optional<double> busyPercent() const;

private:
    struct Ticks {
        unsigned long long total = 0;
        unsigned long long idle = 0;
    };
    [[nodiscard]] static std::optional<Ticks> read();

    std::optional<Ticks> m_start;
};

} // namespace mivo::bench
