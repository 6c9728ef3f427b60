#pragma once

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace mivo::testing {

// Children of this process that have ended but were never reaped, from /proc/<pid>/stat:
// "pid (name) state ppid ...", where the name may hold blanks and brackets.
inline QStringList zombieChildren() {
    QStringList zombies;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
        const QByteArray line = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(0) == "Z" && fields.at(1).toInt() == ::getpid())
            zombies.append(pid);
    }
    return zombies;
}

} // namespace mivo::testing
