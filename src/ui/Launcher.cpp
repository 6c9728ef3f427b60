#include "ui/Launcher.h"

#include "core/LaunchLine.h"
#include "platform/DesktopServices.h"
#include "platform/ProgramStarter.h"

namespace mivo {
namespace {

// A command line can run to the system's limit of megabytes; the message shows its start and its end,
// which name the program and the ROM, and keeps the whole line for the details.
QString shortened(const QString& commandLine) {
    constexpr qsizetype kEachEnd = 40;
    if (commandLine.size() <= 2 * kEachEnd + 1)
        return commandLine;
    return commandLine.first(kEachEnd) + u'\u2026' + commandLine.last(kEachEnd);
}

} // namespace

Launcher::Launcher(ProgramStarter& programs, Messenger& messages)
    : m_programs(programs)
    , m_messages(messages) {}

bool Launcher::launch(QWidget* parent, const QString& commandLine) const {
    return start(parent, commandLine, splitCommandLine(commandLine),
                 tr("Choose the ZSNES program in File > Paths."));
}

bool Launcher::launchProgram(QWidget* parent, const QString& program) const {
    // Blanks belong to the path: a folder's name often has them.
    return start(parent, program,
                 program.isEmpty() ? std::nullopt : std::optional(ProgramInvocation{program, {}}),
                 tr("Choose Romulus in File > Paths."));
}

bool Launcher::start(QWidget* parent, const QString& commandLine,
                     const std::optional<ProgramInvocation>& invocation, const QString& whereToChoose) const {
    const StartResult result =
        invocation ? m_programs.start(*invocation)
                   : StartResult{false, tr("The command line is empty.") + u' ' + whereToChoose};
    if (!result.started) {
        const QString shown = shortened(commandLine);
        m_messages.warn(parent, tr("Mivo"),
                        tr("Could not start this command line:\n%1\n\n%2").arg(shown, result.failureReason),
                        shown == commandLine ? QString() : commandLine);
    }
    return result.started;
}

void Launcher::tellEndedEarly(QWidget* parent, const QString& commandLine, const QString& howItEnded,
                              const QStringList& lastErrorLines) const {
    const QString shown = shortened(commandLine);
    QString text =
        tr("This program stopped right after it started:\n%1\n\nIt ended with %2.").arg(shown, howItEnded);
    if (!lastErrorLines.isEmpty())
        text += tr("\n\nIts last messages:\n%1").arg(lastErrorLines.join(u'\n'));
    m_messages.warn(parent, tr("Mivo"), text, shown == commandLine ? QString() : commandLine);
}

} // namespace mivo
