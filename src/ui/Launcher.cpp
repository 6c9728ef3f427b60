#include "ui/Launcher.h"

#include "core/LaunchLine.h"
#include "platform/DesktopServices.h"
#include "platform/ProgramStarter.h"

namespace mivo {

Launcher::Launcher(ProgramStarter& programs, Messenger& messages)
    : m_programs(programs)
    , m_messages(messages) {}

bool Launcher::launch(QWidget* parent, const QString& commandLine) const {
    return start(parent, commandLine, splitCommandLine(commandLine));
}

bool Launcher::launchProgram(QWidget* parent, const QString& program) const {
    // Blanks belong to the path: a folder's name often has them.
    return start(parent, program,
                 program.isEmpty() ? std::nullopt : std::optional(ProgramInvocation{program, {}}));
}

bool Launcher::start(QWidget* parent, const QString& commandLine,
                     const std::optional<ProgramInvocation>& invocation) const {
    const StartResult result =
        invocation ? m_programs.start(*invocation) : StartResult{false, tr("The command line is empty.")};
    if (!result.started) {
        m_messages.warn(
            parent, tr("Mivo"),
            tr("Could not start this command line:\n%1\n\n%2").arg(commandLine, result.failureReason));
    }
    return result.started;
}

} // namespace mivo
