#include "Report.h"

#include <algorithm>
#include <cstdio>

namespace mivo::bench {

double median(std::vector<double> samples) {
    if (samples.empty())
        return 0.0;
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    if (samples.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(samples.begin(), middle)) / 2.0;
}

void Report::note(const QString& text) const {
    std::printf("# %s\n", qPrintable(text));
    std::fflush(stdout);
}

void Report::figure(const QString& name, const QString& value) const {
    std::printf("%-34s %s\n", qPrintable(name), qPrintable(value));
    std::fflush(stdout);
}

void Report::judge(const QString& name, const QString& value, const QString& target, bool met) {
    ++(met ? m_passed : m_failed);
    std::printf("%-34s %-58s target %-12s %s\n", qPrintable(name), qPrintable(value), qPrintable(target),
                met ? "PASS" : "FAIL");
    std::fflush(stdout);
}

void Report::printTally() const {
    std::printf("%d passed, %d failed\n", m_passed, m_failed);
    std::fflush(stdout);
}

} // namespace mivo::bench
