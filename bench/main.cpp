// Mivo's benchmark: start-up, "View Syntax", "Run/Play" and the settings file, one line per figure, each
// the median of 21 (or `--repetitions N`) repetitions. It ends with status 0 always: it reports its targets,
// never enforces them.

#include "Probe.h"
#include "Report.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <array>

namespace mivo::bench {
namespace {

constexpr int kWarmUps = 2; // fill the page cache and the font cache before anything counts
constexpr int kChildTimeoutMs = 30'000;
constexpr double kMaxStartUpRatio = 1.10;
constexpr std::array kRomFileCounts{0, 10'000, 100'000};
// Time to the first paint against that with the empty folder (the first, which is that folder itself).
constexpr std::array kMaxRomFolderRatios{1.0, 1.10, 1.25};
constexpr double kMaxPeakGrowthKiB = 25e6 / 1024; // 25 MB more than the empty folder, with the most ROMs

// One line "<ns> <KiB>" that a child writes, over all its counted starts: milliseconds since the fork,
// and a memory figure.
struct Reported {
    std::vector<double> milliseconds{}, kib{}; // NOLINT(readability-isolate-declaration)
};

// One program that reports its first painted frame (and perhaps more, one line each), started again and
// again, with what it reported.
struct Contender {
    QString program;
    QStringList arguments;
    QString folder{};                        // the folder it starts in; the bench's own when empty
    std::vector<Reported> lines{Reported{}}; // one for each line it writes
    bool complete = true;                    // a start that reports nothing spoils the whole series

    void run(const QProcessEnvironment& environment, bool counted) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(folder);
        const QDeadlineTimer deadline(kChildTimeoutMs);
        const std::int64_t startedAt = nanoseconds();
        child.start(program, arguments);
        std::vector<QList<QByteArray>> read;
        while (read.size() < lines.size()) {
            while (!child.canReadLine() &&
                   child.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            }
            QList<QByteArray> fields = child.readLine().trimmed().split(' ');
            if (fields.size() != 2)
                break;
            read.push_back(std::move(fields));
        }
        if (!child.waitForFinished(static_cast<int>(deadline.remainingTime()))) {
            child.kill();
            child.waitForFinished();
        }
        complete = complete && read.size() == lines.size();
        if (read.size() != lines.size())
            std::fprintf(stderr, "%s reported %zu of %zu lines:\n%s\n", qPrintable(program), read.size(),
                         lines.size(), child.readAllStandardError().constData());
        else if (counted) {
            for (std::size_t k = 0; k < lines.size(); ++k) {
                lines[k].milliseconds.push_back(static_cast<double>(read[k][0].toLongLong() - startedAt) /
                                                1e6);
                lines[k].kib.push_back(read[k][1].toDouble());
            }
        }
    }
};

// Starts every contender `repetitions` times after the warm-ups. Rotating which goes first keeps a drift
// of the machine from favouring any of them.
template <std::size_t N>
void runInTurn(std::array<Contender, N>& contenders, const QProcessEnvironment& environment,
               int repetitions) {
    for (int i = -kWarmUps; i < repetitions; ++i) {
        for (std::size_t k = 0; k < N; ++k)
            contenders[(static_cast<std::size_t>(i + kWarmUps) + k) % N].run(environment, i >= 0);
    }
}

// Settings in a folder of their own, so that no stored value of the person running the bench counts.
struct BenchEnvironment {
    QTemporaryDir configHome;
    [[nodiscard]] QProcessEnvironment get() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
        return environment;
    }
};

QString comparison(const QString& other, const QString& unit, int precision, double mivo, double theirs) {
    return QStringLiteral("Mivo %1 %3, %4 %2 %3, ratio %5")
        .arg(mivo, 0, 'f', precision)
        .arg(theirs, 0, 'f', precision)
        .arg(unit, other)
        .arg(mivo / theirs, 0, 'f', 3);
}

// Whole-process start-up, from just before the fork to the first painted frame, in one environment.
void measureStartUp(Report& report) {
    const BenchEnvironment environment;
    const QString baseline = QStringLiteral(MIVO_BENCH_BASELINE);
    std::array contenders{Contender{QStringLiteral(MIVO_BENCH_PROGRAM), {}},
                          Contender{baseline, {QStringLiteral("--caption")}}, Contender{baseline, {}}};
    runInTurn(contenders, environment.get(), report.repetitions);
    const QString target = QStringLiteral("<= %1").arg(kMaxStartUpRatio);
    const QString timeName = QStringLiteral("start-up time to first paint");
    const QString memoryName = QStringLiteral("resident memory at first paint");
    const auto& [mivo, captioned, bare] = contenders;
    if (!mivo.complete || !captioned.complete || !bare.complete)
        return report.judge(timeName, QStringLiteral("a child reported no first frame"), target, false);
    const QString ms = QStringLiteral("ms");
    const QString kib = QStringLiteral("KiB");
    const QString withCaption = QStringLiteral("captioned tab");
    const double time = median(mivo.lines[0].milliseconds);
    const double memory = median(mivo.lines[0].kib);
    const double captionedTime = median(captioned.lines[0].milliseconds);
    const double captionedMemory = median(captioned.lines[0].kib);
    report.judge(timeName + QStringLiteral(" (1)"), comparison(withCaption, ms, 1, time, captionedTime),
                 target, time / captionedTime <= kMaxStartUpRatio);
    report.judge(memoryName + QStringLiteral(" (1)"),
                 comparison(withCaption, kib, 0, memory, captionedMemory), target,
                 memory / captionedMemory <= kMaxStartUpRatio);
    Report::figure(timeName,
                   comparison(QStringLiteral("bare"), ms, 1, time, median(bare.lines[0].milliseconds)));
    Report::figure(memoryName, comparison(QStringLiteral("bare"), kib, 0, memory, median(bare.lines[0].kib)));
    Report::print(
        QStringLiteral("# (1) against the window with one captioned tab, which like Mivo must set up "
                       "fonts to paint; the bare window paints no text and is a reference only"));
}

// `count` empty ROM files in `folder`, named as a ROM set names them, one in four with its suffix in
// capitals, and made in an order other than the list's.
bool makeRomFolder(const QString& folder, int count) {
    if (!QDir().mkpath(folder))
        return false;
    for (int i = 0; i < count; ++i) {
        // 7919 is a prime and divides no count here, so every number comes once, out of order.
        const auto number = static_cast<int>(static_cast<long long>(i) * 7919 % count);
        const QString name = QStringLiteral("%1/Super Game %2 (U) [!].%3")
                                 .arg(folder)
                                 .arg(number, 6, 10, QLatin1Char('0'))
                                 .arg(i % 4 == 0 ? QStringLiteral("SMC") : QStringLiteral("smc"));
        const int fd =
            ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || ::close(fd) != 0)
            return false;
    }
    return true;
}

// Mivo started in folders of 0, 10,000 and 100,000 ROMs: the first frame must not wait for the list, and
// the names must cost little memory. Each start reports its first paint, then the moment its list holds
// every ROM with the peak of its resident memory until then.
void measureRomFolder(Report& report) {
    const QString name = QStringLiteral("ROM folder, first paint");
    const QTemporaryDir root;
    std::array<Contender, kRomFileCounts.size()> contenders;
    for (std::size_t k = 0; k < kRomFileCounts.size(); ++k) {
        const QString folder = root.filePath(QString::number(kRomFileCounts[k]));
        if (!root.isValid() || !makeRomFolder(folder, kRomFileCounts[k]))
            return report.judge(name,
                                QStringLiteral("could not make a folder of %1 ROMs").arg(kRomFileCounts[k]),
                                QString(), false);
        contenders[k] = Contender{QStringLiteral(MIVO_BENCH_PROGRAM),
                                  {QStringLiteral("--rom-rows"), QString::number(kRomFileCounts[k])},
                                  folder,
                                  std::vector<Reported>(2)};
    }
    const BenchEnvironment environment;
    runInTurn(contenders, environment.get(), report.repetitions);
    if (!std::all_of(contenders.begin(), contenders.end(), [](const Contender& c) { return c.complete; }))
        return report.judge(name, QStringLiteral("a child reported no first frame or no full list"),
                            QString(), false);

    const double emptyTime = median(contenders[0].lines[0].milliseconds);
    const double emptyPeak = median(contenders[0].lines[1].kib);
    for (std::size_t k = 0; k < contenders.size(); ++k) {
        const Contender& mivo = contenders[k];
        const double time = median(mivo.lines[0].milliseconds);
        const double peak = median(mivo.lines[1].kib);
        const QString files = QStringLiteral("ROM folder %1").arg(kRomFileCounts[k]);
        const QString filled = QStringLiteral("list full at %1 ms, peak memory %2 KiB (+%3 KiB)")
                                   .arg(median(mivo.lines[1].milliseconds), 0, 'f', 1)
                                   .arg(peak, 0, 'f', 0)
                                   .arg(peak - emptyPeak, 0, 'f', 0);
        const QString paint = QStringLiteral("%1 ms").arg(time, 0, 'f', 1);
        if (k == 0)
            Report::figure(files + QStringLiteral(", first paint"), paint);
        else
            report.judge(files + QStringLiteral(", first paint"),
                         paint + QStringLiteral(", empty folder %1 ms, ratio %2")
                                     .arg(emptyTime, 0, 'f', 1)
                                     .arg(time / emptyTime, 0, 'f', 3),
                         QStringLiteral("<= %1").arg(kMaxRomFolderRatios[k]),
                         time / emptyTime <= kMaxRomFolderRatios[k]);
        if (k + 1 == contenders.size())
            report.judge(files + QStringLiteral(", peak memory"), filled,
                         QStringLiteral("<= +%1 KiB").arg(kMaxPeakGrowthKiB, 0, 'f', 0),
                         peak - emptyPeak <= kMaxPeakGrowthKiB);
        else
            Report::figure(files + QStringLiteral(", peak memory"), filled);
    }
}

} // namespace

} // namespace mivo::bench

int main(int argc, char* argv[]) {
    using mivo::bench::Report;
    // The children inherit the platform plugin from here: offscreen where there is no display at all.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype asked = arguments.indexOf(QStringLiteral("--repetitions"));
    Report report{asked >= 0 ? std::max(1, arguments.value(asked + 1).toInt()) : 21};
    QFile load(QStringLiteral("/proc/loadavg")); // other work slows every figure: how busy was the machine?
    Report::print(
        QStringLiteral("# platform plugin %1, %2 cores, load average %3, Qt %4, medians of %5 repetitions")
            .arg(QGuiApplication::platformName())
            .arg(QThread::idealThreadCount())
            .arg(load.open(QIODevice::ReadOnly) ? QString::fromLatin1(load.readLine()).section(u' ', 0, 2)
                                                : QString(),
                 QLatin1StringView(qVersion()))
            .arg(report.repetitions));
    mivo::bench::measureStartUp(report);
    mivo::bench::measureRomFolder(report);
    mivo::bench::measureViewSyntax(report);
    mivo::bench::measureRunPlay(report);
    mivo::bench::measureSettingsFile(report);
    report.printTally();
    return 0;
}
