#pragma once

// How the benchmark's figures are taken and printed, shared by its measurements.

#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace mivo::bench {

inline double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t half = samples.size() / 2;
    return samples.empty() ? 0.0 : (samples[half] + samples[samples.size() % 2 == 1 ? half : half - 1]) / 2.0;
}

template <typename Sample> double medianOf(int repetitions, Sample sample) {
    std::vector<double> samples(static_cast<std::size_t>(repetitions));
    std::generate(samples.begin(), samples.end(), sample);
    return median(std::move(samples));
}

// Prints as it goes, so a slow run shows progress; a verdict stands beside each figure with a target.
struct Report {
    int repetitions; // every figure is the median of this many
    int passed = 0;
    int failed = 0;

    static void print(const QString& line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    }
    static void figure(const QString& name, const QString& value) { print(name.leftJustified(35) + value); }
    void judge(const QString& name, const QString& value, const QString& target, bool met) {
        ++(met ? passed : failed);
        print(name.leftJustified(35) + value.leftJustified(58) + QStringLiteral(" target ") +
              target.leftJustified(12) +
              (met ? QStringLiteral(" met") : QStringLiteral(" over target (not enforced)")));
    }
    void printTally() const { print(QStringLiteral("targets met: %1, missed: %2").arg(passed).arg(failed)); }
};

// "View Syntax" and "Run/Play" (Presses.cpp).
void measureViewSyntax(Report& report);
void measureRunPlay(Report& report);
// A big settings file read and written by Mivo and by QSettings (SettingsFile.cpp).
void measureSettingsFile(Report& report);

} // namespace mivo::bench
