#include "MachineLoad.h"

#include <QFile>
#include <QList>

namespace mivo::bench {

MachineLoad::MachineLoad()
    : m_start(read()) {}

// The first line of /proc/stat: "cpu user nice system idle iowait irq softirq steal ...", in ticks.
std::optional<MachineLoad::Ticks> MachineLoad::read() {
    QFile file(QStringLiteral("/proc/stat"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> fields = file.readLine().simplified().split(' ');
    if (fields.size() < 6 || fields.first() != "cpu")
        return std::nullopt;
    Ticks ticks;
    for (qsizetype i = 1; i < fields.size(); ++i)
        ticks.total += fields[i].toULongLong();
    ticks.idle = fields[4].toULongLong() + fields[5].toULongLong(); // idle and iowait
    return ticks;
}

std::optional<double> MachineLoad::busyPercent() const {
    const auto now = read();
    if (!m_start || !now || now->total <= m_start->total)
        return std::nullopt;
    const auto total = static_cast<double>(now->total - m_start->total);
    const auto idle = static_cast<double>(now->idle - m_start->idle);
    return 100.0 * (total - idle) / total;
}

} // namespace mivo::bench
