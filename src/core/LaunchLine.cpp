#include "core/LaunchLine.h"

namespace mivo {

QString launchCommandLine(const QString& shownLine, const std::optional<QString>& rom) {
    if (!rom || !splitCommandLine(shownLine))
        return shownLine;
    return shownLine + u' ' + *rom;
}

std::optional<ProgramInvocation> splitCommandLine(const QString& commandLine) {
    QStringList words = commandLine.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return std::nullopt;
    ProgramInvocation invocation;
    invocation.program = words.takeFirst();
    invocation.arguments = std::move(words);
    return invocation;
}

} // namespace mivo
