#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>
#include <unistd.h>

namespace mivo::testing {

// A real program standing in for the emulator: it writes each argument it receives, NUL-terminated,
// to "<pid>.args" in its own folder, which it learns from MIVO_RECORD_DIR. The rename makes a file
// appear only once it is complete. The folder is also the current folder while it exists, so that a
// command a shell would have run ("touch pwned") would leave its file there.
class RecordingStandIn {
public:
    RecordingStandIn()
        : m_previousFolder(QDir::currentPath()) {
        static constexpr char kScript[] = "#!/bin/sh\n"
                                          "out=\"$MIVO_RECORD_DIR/$$\"\n"
                                          "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$out.tmp\"\n"
                                          "mv \"$out.tmp\" \"$out.args\"\n";
        QFile file(program());
        if (!file.open(QIODevice::WriteOnly) || file.write(kScript) < 0 ||
            !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qFatal("cannot write the stand-in program");
        qputenv("MIVO_RECORD_DIR", QFile::encodeName(m_folder.path()));
        QDir::setCurrent(m_folder.path());
    }
    ~RecordingStandIn() {
        QDir::setCurrent(m_previousFolder);
        qunsetenv("MIVO_RECORD_DIR");
    }
    RecordingStandIn(const RecordingStandIn&) = delete;
    RecordingStandIn& operator=(const RecordingStandIn&) = delete;

    [[nodiscard]] QString program() const { return m_folder.filePath(QStringLiteral("recorder.sh")); }
    [[nodiscard]] QString path(const QString& name) const { return m_folder.filePath(name); }

    [[nodiscard]] QStringList recordingFiles() const {
        return QDir(m_folder.path()).entryList({QStringLiteral("*.args")}, QDir::Files, QDir::Name);
    }

    // The argument lists received so far, one per started program.
    [[nodiscard]] QList<QStringList> received() const {
        QList<QStringList> all;
        for (const QString& name : recordingFiles()) {
            QFile file(m_folder.filePath(name));
            QStringList arguments;
            for (const QByteArray& argument :
                 file.open(QIODevice::ReadOnly) ? file.readAll().split('\0') : QList<QByteArray>{})
                arguments.append(QString::fromUtf8(argument));
            arguments.removeLast(); // after the last terminator
            all.append(arguments);
        }
        return all;
    }

    // The stand-ins that have written their record, by process id.
    [[nodiscard]] QStringList processIds() const { return recordingFiles().replaceInStrings(".args", ""); }

private:
    QString m_previousFolder;
    QTemporaryDir m_folder;
};

// State and parent of a process, from /proc/<pid>/stat: "pid (name) state ppid ..."; the name may
// hold blanks and brackets.
struct ProcessState {
    char state = '?';
    pid_t parent = 0;
};

inline std::optional<ProcessState> processState(const QString& statPath) {
    QFile file(statPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = file.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 2 || fields.at(0).isEmpty())
        return std::nullopt;
    return ProcessState{fields.at(0).at(0), static_cast<pid_t>(fields.at(1).toInt())};
}

inline bool hasEnded(const QString& pid) {
    const auto state = processState(QStringLiteral("/proc/%1/stat").arg(pid));
    return !state || state->state == 'Z';
}

// Children of this process that have ended but were never reaped.
inline QStringList zombieChildren() {
    QStringList zombies;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto state = processState(proc.filePath(entry + QStringLiteral("/stat")));
        if (state && state->parent == ::getpid() && state->state == 'Z')
            zombies.append(entry);
    }
    return zombies;
}

} // namespace mivo::testing
