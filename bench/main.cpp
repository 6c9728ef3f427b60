// Mivo's benchmark: start-up against a bare Qt window, "View Syntax" and "Run/Play". It prints one line
// per figure, each the median of several repetitions, with PASS or FAIL beside those that have a
// target, and always ends with status 0: it is a report, not a test.

#include "MachineLoad.h"
#include "Report.h"
#include "RunPlayBench.h"
#include "StartUpBench.h"
#include "ViewSyntaxBench.h"

#include <QApplication>
#include <QFile>
#include <QThread>

namespace {

// The children inherit the platform plugin from here, so Mivo and the bare window always run on the
// same one: the one chosen for the benchmark, or offscreen where there is no display at all.
void chooseOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Other work on the machine slows every figure here; the load at the start says how busy it was.
QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readLine().split(' ').mid(0, 3).join(' '));
}

} // namespace

int main(int argc, char* argv[]) {
    chooseOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    const mivo::bench::MachineLoad load;
    mivo::bench::Report report;
    report.note(
        QStringLiteral("platform plugin %1, %2 cores, load average %3, Qt %4, medians of %5 repetitions")
            .arg(QGuiApplication::platformName())
            .arg(QThread::idealThreadCount())
            .arg(loadAverage(), QLatin1StringView(qVersion()))
            .arg(mivo::bench::kRepetitions));
    mivo::bench::measureStartUp(report);
    mivo::bench::measureViewSyntax(report);
    mivo::bench::measureRunPlay(report);
    if (const auto busy = load.busyPercent())
        report.note(
            QStringLiteral("all CPUs of the machine were %1 % busy during the run, this benchmark included")
                .arg(*busy, 0, 'f', 0));
    report.printTally();
    return 0;
}
