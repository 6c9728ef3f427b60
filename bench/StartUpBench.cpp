#include "StartUpBench.h"

#include "Probe.h"
#include "Report.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <optional>

namespace mivo::bench {
namespace {

constexpr int kWarmUps = 2; // fill the page cache and the font cache before anything counts
constexpr int kChildTimeoutMs = 30'000;
constexpr double kMaxRatio = 1.15;

struct FirstFrame {
    double milliseconds;
    double residentKiB;
};

int remainingMs(const QDeadlineTimer& deadline) {
    return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

// One program that reports its first painted frame, started again and again, with what it reported.
class Contender {
public:
    Contender(QString program, QStringList arguments)
        : m_program(std::move(program))
        , m_arguments(std::move(arguments)) {}

    // Starts the program and waits for its report and its end. A start that reports nothing spoils
    // the whole series.
    void run(const QProcessEnvironment& environment, bool counted) {
        const auto frame = firstFrame(environment);
        if (!counted)
            return;
        if (!frame) {
            m_complete = false;
            return;
        }
        m_milliseconds.push_back(frame->milliseconds);
        m_residentKiB.push_back(frame->residentKiB);
    }

    [[nodiscard]] bool isComplete() const { return m_complete && !m_milliseconds.empty(); }
    [[nodiscard]] double milliseconds() const { return median(m_milliseconds); }
    [[nodiscard]] double residentKiB() const { return median(m_residentKiB); }

private:
    [[nodiscard]] std::optional<FirstFrame> firstFrame(const QProcessEnvironment& environment) const {
        QProcess child;
        child.setProgram(m_program);
        child.setArguments(m_arguments);
        child.setProcessEnvironment(environment);
        const QDeadlineTimer deadline(kChildTimeoutMs);
        const std::int64_t startedAt = monotonicNanoseconds();
        child.start();
        while (!child.canReadLine() && child.waitForReadyRead(remainingMs(deadline))) {
        }
        const QList<QByteArray> fields = child.readLine().trimmed().split(' ');
        if (!child.waitForFinished(remainingMs(deadline))) {
            child.kill();
            child.waitForFinished();
        }
        if (fields.size() != 2) {
            std::fprintf(stderr, "%s reported no first frame:\n%s\n", qPrintable(m_program),
                         child.readAllStandardError().constData());
            return std::nullopt;
        }
        return FirstFrame{static_cast<double>(fields[0].toLongLong() - startedAt) / 1e6,
                          fields[1].toDouble()};
    }

    QString m_program;
    QStringList m_arguments;
    std::vector<double> m_milliseconds;
    std::vector<double> m_residentKiB;
    bool m_complete = true;
};

QString comparison(const QString& other, const QString& unit, int precision, double mivo, double theirs) {
    return QStringLiteral("Mivo %1 %3, %4 %2 %3, ratio %5")
        .arg(mivo, 0, 'f', precision)
        .arg(theirs, 0, 'f', precision)
        .arg(unit, other)
        .arg(mivo / theirs, 0, 'f', 3);
}

} // namespace

void measureStartUp(Report& report) {
    // Mivo's settings live in a folder of the benchmark's own. Every child gets the same environment,
    // the platform plugin included, so they differ only in their program.
    const QTemporaryDir configHome;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());

    std::array contenders{Contender(QStringLiteral(MIVO_BENCH_PROGRAM), {}),
                          Contender(QStringLiteral(MIVO_BENCH_BASELINE), {}),
                          Contender(QStringLiteral(MIVO_BENCH_BASELINE), {QStringLiteral("--caption")})};
    const Contender& mivo = contenders[0];
    const Contender& bare = contenders[1];
    const Contender& captioned = contenders[2];

    for (int i = 0; i < kWarmUps; ++i) {
        for (Contender& contender : contenders)
            contender.run(environment, false);
    }
    // Rotating which goes first keeps a drift of the machine from favouring any of them.
    for (int i = 0; i < kRepetitions; ++i) {
        for (std::size_t k = 0; k < contenders.size(); ++k)
            contenders[(static_cast<std::size_t>(i) + k) % contenders.size()].run(environment, true);
    }

    const QString target = QStringLiteral("<= %1").arg(kMaxRatio);
    const QString timeName = QStringLiteral("start-up time to first paint");
    const QString memoryName = QStringLiteral("resident memory at first paint");
    if (!mivo.isComplete() || !bare.isComplete() || !captioned.isComplete()) {
        const QString failed = QStringLiteral("a child reported no first frame");
        report.judge(timeName, failed, target, false);
        report.judge(memoryName, failed, target, false);
        return;
    }
    const QString ms = QStringLiteral("ms");
    const QString kib = QStringLiteral("KiB");
    report.judge(timeName,
                 comparison(QStringLiteral("bare"), ms, 1, mivo.milliseconds(), bare.milliseconds()), target,
                 mivo.milliseconds() / bare.milliseconds() <= kMaxRatio);
    report.judge(memoryName,
                 comparison(QStringLiteral("bare"), kib, 0, mivo.residentKiB(), bare.residentKiB()), target,
                 mivo.residentKiB() / bare.residentKiB() <= kMaxRatio);
    // The bare window paints no text; one captioned tab shows what setting up fonts alone costs.
    report.figure(
        timeName + QStringLiteral(" (1)"),
        comparison(QStringLiteral("captioned tab"), ms, 1, mivo.milliseconds(), captioned.milliseconds()));
    report.figure(
        memoryName + QStringLiteral(" (1)"),
        comparison(QStringLiteral("captioned tab"), kib, 0, mivo.residentKiB(), captioned.residentKiB()));
    report.note(
        QStringLiteral("(1) against the bare window with one captioned tab, which must set up fonts to "
                       "paint: a reference, no target"));
}

} // namespace mivo::bench
