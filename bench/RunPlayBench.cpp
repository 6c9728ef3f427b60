#include "RunPlayBench.h"

#include "AllOptions.h"
#include "MainWindowDriver.h"
#include "Probe.h"
#include "RecordingStandIn.h"
#include "Report.h"
#include "StampFifo.h"
#include "core/ProgramTexts.h"
#include "core/SettingsKeys.h"
#include "platform/QtProgramStarter.h"
#include "ui/dialogs/FilePathsDialog.h"

#include <QStandardPaths>

namespace mivo::bench {
namespace {

constexpr int kWarmUps = 2;
constexpr int kPressesForLeaks = 1'000;
constexpr int kStampTimeoutMs = 10'000;
constexpr double kTargetMilliseconds = 5.0;
constexpr long kTargetGrowthKiB = 1024;

struct PressTimes {
    double toMain;   // from the press to the stand-in's main
    double blocking; // how long the press kept the window busy
    double ownCpu;   // of that, the time Mivo's thread itself ran
};

// The window on the real program starter, set to start `zsnes` with every option and, as the ROM,
// the stamp FIFO. The tray preference to minimise stays off, so the window stays where it is.
class RunPlayWindow {
public:
    RunPlayWindow(const QString& zsnes, const QString& rom)
        : m_driver(&m_programs) {
        m_driver.fakes().settings.values.insert(QLatin1StringView(settings::kZsnesPath), zsnes);
        m_driver.start();
        tickEverything(m_driver);
        m_driver.check(kMinimizeToTrayCheck)->setChecked(false);
        m_driver.fakes().fileDialogs.answers.push_back(rom);
        m_driver.command(4)->click(); // Load Rom
        viewSyntax();
    }

    [[nodiscard]] bool isReady() const {
        return m_driver.romDisplay() != QLatin1StringView(texts::kRomPlaceholder);
    }
    [[nodiscard]] qsizetype failedStarts() const { return m_driver.fakes().messages.warnings.size(); }

    void setZsnes(const QString& zsnes) {
        m_driver.window().filePaths().setZsnesPath(zsnes);
        viewSyntax();
    }
    void viewSyntax() const { m_driver.command(1)->click(); }
    void runPlay() const { m_driver.command(2)->click(); }

private:
    QtProgramStarter m_programs;
    testing::MainWindowDriver m_driver;
};

std::optional<PressTimes> timePress(const RunPlayWindow& window, StampFifo& stamps) {
    const std::int64_t cpuBefore = threadCpuNanoseconds();
    const std::int64_t pressedAt = monotonicNanoseconds();
    window.runPlay();
    const std::int64_t returnedAt = monotonicNanoseconds();
    const std::int64_t cpuUsed = threadCpuNanoseconds() - cpuBefore;
    const auto startedAt = stamps.nextStamp(QDeadlineTimer(kStampTimeoutMs));
    if (!startedAt)
        return std::nullopt;
    return PressTimes{static_cast<double>(*startedAt - pressedAt) / 1e6,
                      static_cast<double>(returnedAt - pressedAt) / 1e6, static_cast<double>(cpuUsed) / 1e6};
}

void measureStartLatency(Report& report, const RunPlayWindow& window, StampFifo& stamps) {
    const QString name = QStringLiteral("Run/Play, press to program's main");
    const QString target = QStringLiteral("< %1 ms").arg(kTargetMilliseconds);
    for (int i = 0; i < kWarmUps; ++i)
        (void)timePress(window, stamps);
    std::vector<double> toMain;
    std::vector<double> blocking;
    std::vector<double> ownCpu;
    for (int i = 0; i < kRepetitions; ++i) {
        const auto times = timePress(window, stamps);
        if (!times) {
            report.judge(name, QStringLiteral("the stand-in reported no start"), target, false);
            return;
        }
        toMain.push_back(times->toMain);
        blocking.push_back(times->blocking);
        ownCpu.push_back(times->ownCpu);
        QCoreApplication::processEvents();
    }
    const double latency = median(toMain);
    report.judge(name,
                 QStringLiteral("%1 ms (median of %2 presses)").arg(latency, 0, 'f', 3).arg(kRepetitions),
                 target, latency < kTargetMilliseconds);
    // The press returns once the program is executing. What its busy time holds beyond Mivo's own CPU
    // time is waiting for the two new processes to be scheduled: a time slice each on a busy machine.
    report.figure(QStringLiteral("Run/Play, window busy per press"),
                  QStringLiteral("%1 ms, of which %2 ms Mivo's own CPU time")
                      .arg(median(blocking), 0, 'f', 3)
                      .arg(median(ownCpu), 0, 'f', 3));
}

void measureLeftovers(Report& report, RunPlayWindow& window) {
    window.setZsnes(QStandardPaths::findExecutable(QStringLiteral("true")));
    const long residentBefore = residentKiB();
    for (int i = 0; i < kPressesForLeaks; ++i) {
        window.runPlay();
        QCoreApplication::processEvents();
    }
    const long growth = residentKiB() - residentBefore;
    const qsizetype zombies = testing::zombieChildren().size();
    report.judge(QStringLiteral("Run/Play, zombies after %1").arg(kPressesForLeaks),
                 QStringLiteral("%1 zombie children").arg(zombies), QStringLiteral("0"), zombies == 0);
    report.judge(QStringLiteral("Run/Play, memory growth over %1").arg(kPressesForLeaks),
                 QStringLiteral("%1 KiB resident (%2 -> %3 KiB)")
                     .arg(growth)
                     .arg(residentBefore)
                     .arg(residentBefore + growth),
                 QStringLiteral("< %1 KiB").arg(kTargetGrowthKiB), growth < kTargetGrowthKiB);
}

} // namespace

void measureRunPlay(Report& report) {
    StampFifo stamps;
    RunPlayWindow window(QStringLiteral(MIVO_BENCH_STANDIN), stamps.path());
    if (!stamps.isOpen() || !window.isReady()) {
        report.note(QStringLiteral("Run/Play not measured: no stamp FIFO or no ROM chosen"));
        return;
    }
    measureStartLatency(report, window, stamps);
    measureLeftovers(report, window);
    if (window.failedStarts() > 0)
        report.note(QStringLiteral("%1 presses could not start their program").arg(window.failedStarts()));
}

} // namespace mivo::bench
