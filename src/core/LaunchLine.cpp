#include "core/LaunchLine.h"

#include "core/ProgramTexts.h"

namespace mivo {

QString launchCommandLine(const QString& syntaxDisplay, const QString& romDisplay) {
    if (romDisplay == QLatin1StringView(texts::kRomPlaceholder))
        return syntaxDisplay;
    return syntaxDisplay + u' ' + romDisplay;
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
