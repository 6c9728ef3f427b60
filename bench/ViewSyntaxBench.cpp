#include "ViewSyntaxBench.h"

#include "AllOptions.h"
#include "MainWindowDriver.h"
#include "Probe.h"
#include "Report.h"
#include "core/SettingsKeys.h"
#include "ui/dialogs/FilePathsDialog.h"

namespace mivo::bench {
namespace {

constexpr int kCompositions = 100'000;
constexpr int kPresses = 1'000;
constexpr double kTargetMicroseconds = 20.0;

// Two paths of the same length, so that every press changes the display without changing its size.
const QString kZsnes = QStringLiteral("/usr/games/zsnes");
const QString kOtherZsnes = QStringLiteral("/usr/games/zsnez");

double microsecondsPerComposition(const OptionSnapshot& options) {
    qsizetype characters = 0;
    const std::int64_t startedAt = monotonicNanoseconds();
    for (int i = 0; i < kCompositions; ++i)
        characters += composeCommandLine(kZsnes, options).size();
    const std::int64_t elapsed = monotonicNanoseconds() - startedAt;
    // Using the result keeps the loop from being optimised away.
    if (characters == 0)
        std::fprintf(stderr, "every composition came out empty\n");
    return static_cast<double>(elapsed) / 1e3 / kCompositions;
}

// Each press finds the display showing the bare path, as after a change of it, so the press really
// replaces the text; only the press itself is timed. The label repaints later, from the event loop.
double microsecondsPerPress(const testing::MainWindowDriver& driver) {
    QAbstractButton* viewSyntax = driver.command(1);
    FilePathsDialog& paths = driver.window().filePaths();
    std::int64_t elapsed = 0;
    for (int i = 0; i < kPresses; ++i) {
        paths.setZsnesPath(i % 2 == 0 ? kZsnes : kOtherZsnes);
        const std::int64_t startedAt = monotonicNanoseconds();
        viewSyntax->click();
        elapsed += monotonicNanoseconds() - startedAt;
    }
    return static_cast<double>(elapsed) / 1e3 / kPresses;
}

QString perLine(double microseconds, int count, const char* what) {
    return QStringLiteral("%1 us per composition (%2 %3 a repetition)")
        .arg(microseconds, 0, 'f', 2)
        .arg(count)
        .arg(QLatin1StringView(what));
}

} // namespace

void measureViewSyntax(Report& report) {
    const OptionSnapshot options = everythingTicked();
    std::vector<double> compositions;
    compositions.reserve(kRepetitions);
    for (int i = 0; i < kRepetitions; ++i)
        compositions.push_back(microsecondsPerComposition(options));
    const double composition = median(compositions);
    const QString target = QStringLiteral("< %1 us").arg(kTargetMicroseconds);
    report.judge(QStringLiteral("View Syntax, composeCommandLine"),
                 perLine(composition, kCompositions, "compositions"), target,
                 composition < kTargetMicroseconds);

    testing::MainWindowDriver driver;
    driver.fakes().settings.values.insert(QLatin1StringView(settings::kZsnesPath), kZsnes);
    driver.start();
    tickEverything(driver);
    driver.command(1)->click();
    const QString expected = composeCommandLine(kZsnes, options);
    if (driver.syntax() != expected) {
        report.judge(QStringLiteral("View Syntax, press on Command1"),
                     QStringLiteral("the window shows another line: ") + driver.syntax(), target, false);
        return;
    }
    report.note(QStringLiteral("the line, %1 characters: %2").arg(expected.size()).arg(expected));
    std::vector<double> presses;
    presses.reserve(kRepetitions);
    for (int i = 0; i < kRepetitions; ++i)
        presses.push_back(microsecondsPerPress(driver));
    const double press = median(presses);
    report.judge(QStringLiteral("View Syntax, press on Command1"), perLine(press, kPresses, "presses"),
                 target, press < kTargetMicroseconds);
}

} // namespace mivo::bench
