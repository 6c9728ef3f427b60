// Reads a settings file, sets the four values and saves it, either as Mivo does or with QSettings, and
// reports two lines "<ns> <KiB>": the moment before the reading with the resident memory then, and the
// moment the save was done with the peak resident memory so far.

#include "Probe.h"
#include "core/SettingsKeys.h"
#include "platform/QtSettingsStore.h"

#include <QCoreApplication>
#include <QSettings>

#include <array>
#include <cstdio>

namespace {

const std::array kKeys{mivo::settings::kZsnesPath, mivo::settings::kRomulusPath, mivo::settings::kIconInTray,
                       mivo::settings::kMinimizeToTray};

// Every value changes, so that a save has something to write.
QString newValue(const QString& stored) {
    return stored + QStringLiteral("/new");
}

void readAndSaveAsMivo(const QString& path) {
    mivo::QtSettingsStore store(path);
    for (const char* key : kKeys)
        store.setText(QLatin1StringView(key), newValue(store.text(QLatin1StringView(key), QString())));
    if (const auto failure = store.save())
        std::fprintf(stderr, "Mivo could not save: %s\n", qPrintable(failure->reason));
}

void readAndSaveWithQSettings(const QString& path) {
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QLatin1StringView(mivo::settings::kSection));
    for (const char* key : kKeys)
        settings.setValue(QLatin1StringView(key),
                          newValue(settings.value(QLatin1StringView(key)).toString()));
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        std::fprintf(stderr, "QSettings could not save\n");
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: mivo_bench_settings mivo|qsettings FILE\n");
        return 2;
    }
    std::printf("%lld %ld\n", static_cast<long long>(mivo::bench::nanoseconds()),
                mivo::bench::statusKiB("VmRSS:"));
    if (arguments[1] == QLatin1StringView("qsettings"))
        readAndSaveWithQSettings(arguments[2]);
    else
        readAndSaveAsMivo(arguments[2]);
    std::printf("%lld %ld\n", static_cast<long long>(mivo::bench::nanoseconds()),
                mivo::bench::statusKiB("VmHWM:"));
    return 0;
}
