// A big settings file: Mivo's four values among 10 MB of sections that another tool keeps in the same
// file, read and saved by Mivo and by QSettings, each in a process of its own so that its peak memory is
// its own.

#include "Report.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <array>

namespace mivo::bench {
namespace {

constexpr qsizetype kFileBytes = qsizetype{10} * 1024 * 1024;
constexpr int kWarmUps = 1;
constexpr int kChildTimeoutMs = 60'000;
constexpr double kMaxTimeRatio = 1.0;
constexpr double kMaxMemoryRatio = 2.0;

// The lines a person or another tool writes: plain, quoted and escaped values, lists, comments, keys
// with escapes; Mivo's section stands among the others.
QByteArray foreignSections(qsizetype bytes) {
    static constexpr std::array<const char*, 4> kValues{R"("a quoted value, with a comma")",
                                                        R"(C:\\games\\roms\x41.smc)", "1, 2, 3",
                                                        "plain text ; and a comment"};
    QByteArray text;
    text.reserve(bytes + 1024);
    for (int section = 0; text.size() < bytes; ++section) {
        if (section == 100)
            text += "[settings]\nIcon%20in%20tray=1\nMinimize%20to%20tray=0\nromuluspath=/usr/bin/romulus\n"
                    "zsnesfilepath=/usr/games/zsnes\n\n";
        text += "; kept by another tool\n[game%20" + QByteArray::number(section) + "]\n";
        for (std::size_t key = 0; key < 20; ++key)
            text += "key%20" + QByteArray::number(qulonglong(key)) + '=' + kValues.at(key % kValues.size()) +
                    '\n';
    }
    return text;
}

struct Sample {
    double milliseconds;
    double kib; // the peak resident memory beyond what the process held before reading
};

// One read and save of a fresh copy of `source` by `reader` ("mivo" or "qsettings").
std::optional<Sample> readAndSave(const QString& reader, const QString& source, const QString& copy) {
    QFile::remove(copy);
    if (!QFile::copy(source, copy))
        return std::nullopt;
    QProcess child;
    child.start(QStringLiteral(MIVO_BENCH_SETTINGS), {reader, copy});
    if (!child.waitForFinished(kChildTimeoutMs) || child.exitCode() != 0)
        return std::nullopt;
    const QList<QByteArray> lines = child.readAllStandardOutput().trimmed().split('\n');
    if (lines.size() != 2 || !child.readAllStandardError().isEmpty())
        return std::nullopt;
    const QList<QByteArray> before = lines[0].split(' ');
    const QList<QByteArray> after = lines[1].split(' ');
    if (before.size() != 2 || after.size() != 2)
        return std::nullopt;
    return Sample{static_cast<double>(after[0].toLongLong() - before[0].toLongLong()) / 1e6,
                  after[1].toDouble() - before[1].toDouble()};
}

} // namespace

void measureSettingsFile(Report& report) {
    const QString name = QStringLiteral("settings 10 MB, read and save");
    const QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("big.conf"));
    QFile file(source);
    const QByteArray text = foreignSections(kFileBytes);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return report.judge(name, QStringLiteral("could not write the file"), QString(), false);
    file.close();
    const std::array readers{QStringLiteral("mivo"), QStringLiteral("qsettings")};
    std::array<std::vector<double>, 2> milliseconds;
    std::array<std::vector<double>, 2> kib;
    for (int i = -kWarmUps; i < report.repetitions; ++i) {
        for (std::size_t k = 0; k < readers.size(); ++k) {
            const std::size_t reader = (static_cast<std::size_t>(i + kWarmUps) + k) % readers.size();
            const auto sample =
                readAndSave(readers.at(reader), source, folder.filePath(QStringLiteral("copy.conf")));
            if (!sample)
                return report.judge(name, readers.at(reader) + QStringLiteral(" could not read and save"),
                                    QString(), false);
            if (i >= 0) {
                milliseconds.at(reader).push_back(sample->milliseconds);
                kib.at(reader).push_back(sample->kib);
            }
        }
    }
    const double time = median(milliseconds[0]);
    const double theirTime = median(milliseconds[1]);
    const double memory = median(kib[0]);
    const double theirMemory = median(kib[1]);
    report.judge(name,
                 QStringLiteral("Mivo %1 ms, QSettings %2 ms, ratio %3")
                     .arg(time, 0, 'f', 1)
                     .arg(theirTime, 0, 'f', 1)
                     .arg(time / theirTime, 0, 'f', 3),
                 QStringLiteral("<= %1").arg(kMaxTimeRatio, 0, 'f', 2), time / theirTime <= kMaxTimeRatio);
    report.judge(QStringLiteral("settings 10 MB, peak memory"),
                 QStringLiteral("Mivo +%1 KiB, QSettings +%2 KiB, ratio %3")
                     .arg(memory, 0, 'f', 0)
                     .arg(theirMemory, 0, 'f', 0)
                     .arg(memory / theirMemory, 0, 'f', 3),
                 QStringLiteral("<= %1").arg(kMaxMemoryRatio, 0, 'f', 2),
                 memory / theirMemory <= kMaxMemoryRatio);
    Report::print(QStringLiteral("# %1 bytes of other sections; memory is the peak beyond what each process "
                                 "held before it read the file")
                      .arg(text.size()));
}

} // namespace mivo::bench
