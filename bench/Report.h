#pragma once

#include <QString>

#include <vector>

namespace mivo::bench {

// Every figure is the median of this many repetitions; odd, so the median is one of them.
inline constexpr int kRepetitions = 21;

[[nodiscard]] double median(std::vector<double> samples);

// What the benchmark prints: one line per figure, a verdict beside each figure that has a target,
// and the tally of the verdicts at the end. Lines go out as they come, so a slow run shows progress.
class Report {
public:
    void note(const QString& text) const;
    void figure(const QString& name, const QString& value) const;
    void judge(const QString& name, const QString& value, const QString& target, bool met);
    void printTally() const;

private:
    int m_passed = 0;
    int m_failed = 0;
};

} // namespace mivo::bench
