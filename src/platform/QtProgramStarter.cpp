#include "platform/QtProgramStarter.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace mivo {

namespace {

QString systemMessage(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Qt names the failed system call first ("execv: Permission denied"); the user only needs the
// reason. For a folder the system answers "Permission denied", which sends the user looking at
// file permissions instead of at the path they chose.
QString failureReason(const QProcess& process) {
    if (QFileInfo(process.program()).isDir())
        return systemMessage(EISDIR);
    static const QRegularExpression systemCallPrefix(QStringLiteral("^[a-z_]+: "));
    QString reason = process.errorString();
    reason.remove(systemCallPrefix);
    return reason.isEmpty() ? systemMessage(ENOENT) : reason;
}

} // namespace

StartResult QtProgramStarter::start(const ProgramInvocation& invocation) {
    if (invocation.program.isEmpty())
        return {false, systemMessage(ENOENT)};

    // The program and every argument go to the system as they are, with no shell in between, so no
    // character of a file name can ever be taken for a command. startDetached forks twice, which
    // leaves the program to init and no zombie behind when it ends.
    QProcess process;
    process.setProgram(invocation.program);
    process.setArguments(invocation.arguments);
    if (process.startDetached())
        return {true, {}};
    return {false, failureReason(process)};
}

} // namespace mivo
