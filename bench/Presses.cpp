// "View Syntax" and "Run/Play" on the real window: the composition alone and a press on the button, and
// the real program starter from a press to the started program's main, and what a thousand presses leave.

#include "MainWindowDriver.h"
#include "Probe.h"
#include "Report.h"
#include "core/ProgramTexts.h"
#include "core/SettingsKeys.h"
#include "platform/QtProgramStarter.h"
#include "ui/dialogs/FilePathsWindow.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace mivo::bench {
namespace {

constexpr int kWarmUps = 2;
constexpr int kCompositions = 100'000;
constexpr int kPresses = 1'000;
constexpr double kTargetMicroseconds = 20.0;
constexpr double kTargetMilliseconds = 5.0;
constexpr long kTargetGrowthKiB = 1024;

// Two paths of the same length, so that every press changes the display without changing its size.
const QString kZsnes = QStringLiteral("/usr/games/zsnes");
const QString kOtherZsnes = QStringLiteral("/usr/games/zsnez");

QString fromCatalogue(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The longest command line: every box ticked, groups on their start-up choice, every number at its highest.
OptionSnapshot everythingTicked() {
    OptionSnapshot options = designedSnapshot();
    options.checkValues.fill(1);
    for (const OptionGroupRow& group : kOptionGroups)
        options.selected[optionIndex(group.defaultOption)] = true;
    for (std::size_t i = 0; i < kNumberFields.size(); ++i) {
        options.numberTexts[i] = fromCatalogue(kNumberFields[i].maximumText);
        options.validity[i] = Validity::InRange;
    }
    return options;
}

// A window on fakes and the Zsnes path `zsnes`, with its controls as everythingTicked() says.
std::unique_ptr<testing::MainWindowDriver> startTicked(const QString& zsnes,
                                                       ProgramStarter* programs = nullptr) {
    auto driver = std::make_unique<testing::MainWindowDriver>(
        QMap<QString, QString>{{QLatin1StringView(settings::kZsnesPath), zsnes}}, programs);
    for (int number = 1; number <= static_cast<int>(kCheckBoxes.size()); ++number)
        driver->named<QCheckBox>(QStringLiteral("Check%1").arg(number))->setChecked(true);
    // Typed text is checked as it changes, which is what marks a field as in range.
    for (std::size_t i = 0; i < kNumberFields.size(); ++i)
        driver->named<QLineEdit>(QStringLiteral("Text%1").arg(i + 1))
            ->setText(fromCatalogue(kNumberFields[i].maximumText));
    return driver;
}

QString perLine(double microseconds, int count, const char* what) {
    return QStringLiteral("%1 us per composition (%2 %3 a repetition)")
        .arg(microseconds, 0, 'f', 2)
        .arg(count)
        .arg(what);
}

} // namespace

void measureViewSyntax(Report& report) {
    const OptionSnapshot options = everythingTicked();
    const double composition = medianOf(report.repetitions, [&options] {
        qsizetype characters = 0;
        const std::int64_t startedAt = nanoseconds();
        for (int i = 0; i < kCompositions; ++i)
            characters += composeCommandLine(kZsnes, options).size();
        const std::int64_t elapsed = nanoseconds() - startedAt;
        if (characters == 0) // using the result keeps the loop from being optimised away
            std::fprintf(stderr, "every composition came out empty\n");
        return static_cast<double>(elapsed) / 1e3 / kCompositions;
    });
    const QString target = QStringLiteral("< %1 us").arg(kTargetMicroseconds);
    report.judge(QStringLiteral("View Syntax, composeCommandLine"),
                 perLine(composition, kCompositions, "compositions"), target,
                 composition < kTargetMicroseconds);

    const auto driver = startTicked(kZsnes);
    auto* viewSyntax = driver->named<QAbstractButton>(QStringLiteral("Command1"));
    viewSyntax->click();
    const QString expected = composeCommandLine(kZsnes, options);
    const QString pressName = QStringLiteral("View Syntax, press on the button");
    if (driver->syntax() != expected)
        return report.judge(pressName, QStringLiteral("the window shows another line: ") + driver->syntax(),
                            target, false);
    Report::print(QStringLiteral("# the line, %1 characters: %2").arg(expected.size()).arg(expected));
    // Each press finds the bare path shown, so it really replaces the text; only the press is timed.
    QLineEdit* zsnesField = driver->field(QStringLiteral("Zsnes Path"), &driver->window->filePaths());
    const double press = medianOf(report.repetitions, [&] {
        std::int64_t elapsed = 0;
        for (int i = 0; i < kPresses; ++i) {
            zsnesField->setText(i % 2 == 0 ? kZsnes : kOtherZsnes);
            const std::int64_t startedAt = nanoseconds();
            viewSyntax->click();
            elapsed += nanoseconds() - startedAt;
        }
        return static_cast<double>(elapsed) / 1e3 / kPresses;
    });
    report.judge(pressName, perLine(press, kPresses, "presses"), target, press < kTargetMicroseconds);
}

namespace {

// Mivo reaps a child when its end reaches the event loop, which runs on in the program; a child still
// unreaped once the last ones had a few seconds to end is a zombie. waitid() only looks, it reaps nothing.
void letChildrenEnd() {
    const QDeadlineTimer patience(5'000);
    siginfo_t info{};
    while (!(::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD) &&
           !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A FIFO into which each started stand-in writes the moment its main began. Held open for reading and
// writing, it never reads as ended and a stand-in never waits for a reader.
class StampFifo {
public:
    StampFifo() {
        const QByteArray name = QFile::encodeName(path());
        if (m_folder.isValid() && ::mkfifo(name.constData(), 0600) == 0)
            m_fd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    ~StampFifo() { ::close(m_fd); }
    StampFifo(const StampFifo&) = delete;
    StampFifo& operator=(const StampFifo&) = delete;

    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    [[nodiscard]] QString path() const { return m_folder.filePath(QStringLiteral("stamps")); }
    [[nodiscard]] std::optional<std::int64_t> nextStamp() const {
        pollfd waitFor{m_fd, POLLIN, 0};
        char line[32] = {};
        if (::poll(&waitFor, 1, 10'000) != 1 || ::read(m_fd, line, sizeof line - 1) <= 0)
            return std::nullopt;
        return std::strtoll(line, nullptr, 10);
    }

private:
    QTemporaryDir m_folder;
    int m_fd = -1;
};

} // namespace

// "Run/Play" on the real program starter, the window kept: press to the stand-in's main, and what a
// thousand presses leave behind.
void measureRunPlay(Report& report) {
    const StampFifo stamps;
    QtProgramStarter programs;
    const auto driver = startTicked(QStringLiteral(MIVO_BENCH_STANDIN), &programs);
    const auto command = [&driver](int number) {
        return driver->named<QAbstractButton>(QStringLiteral("Command%1").arg(number));
    };
    driver->named<QCheckBox>(QStringLiteral("Check36"))->setChecked(false);
    driver->fakes.fileDialogs.answers.emplace_back(stamps.path()); // the "ROM" is the FIFO
    command(4)->click();                                           // Load Rom
    command(1)->click();
    if (!stamps.isOpen() || driver->rom() == QLatin1StringView(texts::kRomPlaceholder))
        return Report::print(QStringLiteral("# Run/Play not measured: no stamp FIFO or no ROM chosen"));
    const QString name = QStringLiteral("Run/Play, press to program's main");
    const QString target = QStringLiteral("< %1 ms").arg(kTargetMilliseconds);
    std::vector<double> toMain;
    for (int i = -kWarmUps; i < report.repetitions; ++i) {
        const std::int64_t pressedAt = nanoseconds();
        command(2)->click();
        const auto startedAt = stamps.nextStamp();
        if (!startedAt)
            return report.judge(name, QStringLiteral("the stand-in reported no start"), target, false);
        if (i >= 0)
            toMain.push_back(static_cast<double>(*startedAt - pressedAt) / 1e6);
        QCoreApplication::processEvents();
    }
    const double latency = median(toMain);
    report.judge(name,
                 QStringLiteral("%1 ms (median of %2 presses)").arg(latency, 0, 'f', 3).arg(toMain.size()),
                 target, latency < kTargetMilliseconds);

    driver->field(QStringLiteral("Zsnes Path"), &driver->window->filePaths())
        ->setText(QStandardPaths::findExecutable(QStringLiteral("true")));
    command(1)->click();
    letChildrenEnd();
    const long residentBefore = statusKiB("VmRSS:");
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    const qsizetype descriptorsBefore = descriptors.count();
    for (int i = 0; i < kPresses; ++i) {
        command(2)->click();
        QCoreApplication::processEvents();
    }
    const long growth = statusKiB("VmRSS:") - residentBefore;
    letChildrenEnd();
    const qsizetype descriptorsLeft = QDir(descriptors.path()).count() - descriptorsBefore;
    report.judge(QStringLiteral("Run/Play, descriptors after %1").arg(kPresses),
                 QStringLiteral("%1 more open").arg(descriptorsLeft), QStringLiteral("<= 0"),
                 descriptorsLeft <= 0);
    int zombies = 0; // children that ended and were never reaped; reaping them counts them
    while (::waitpid(-1, nullptr, WNOHANG) > 0)
        ++zombies;
    report.judge(QStringLiteral("Run/Play, zombies after %1").arg(kPresses),
                 QStringLiteral("%1 zombie children").arg(zombies), QStringLiteral("0"), zombies == 0);
    report.judge(QStringLiteral("Run/Play, memory growth over %1").arg(kPresses),
                 QStringLiteral("%1 KiB resident, from %2 KiB").arg(growth).arg(residentBefore),
                 QStringLiteral("< %1 KiB").arg(kTargetGrowthKiB), growth < kTargetGrowthKiB);
    if (const qsizetype failed = driver->fakes.desktop.warnings.size(); failed > 0)
        Report::print(QStringLiteral("# %1 presses could not start their program").arg(failed));
}

} // namespace mivo::bench
