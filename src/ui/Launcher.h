#pragma once

#include "core/LaunchLine.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace mivo {

class Messenger;
class ProgramStarter;

// Starts the programs Mivo runs: no shell, no waiting. A command line is split at blanks; a program
// named by a path alone is started as it stands. A start that fails is told to the user, with the
// command and the system's reason.
class Launcher {
    Q_DECLARE_TR_FUNCTIONS(Launcher)

public:
    Launcher(ProgramStarter& programs, Messenger& messages);

    // Returns whether the program was started.
    bool launch(QWidget* parent, const QString& commandLine) const;
    // Starts `program` as it stands, blanks included, with no arguments; told and returned the same way.
    bool launchProgram(QWidget* parent, const QString& program) const;
    // Tells the user that a started program failed at once: the line, how it ended, its last words.
    void tellEndedEarly(QWidget* parent, const QString& commandLine, const QString& howItEnded,
                        const QStringList& lastErrorLines) const;

private:
    // `whereToChoose` tells the user how to give an empty command line a program.
    bool start(QWidget* parent, const QString& commandLine,
               const std::optional<ProgramInvocation>& invocation, const QString& whereToChoose) const;

    ProgramStarter& m_programs;
    Messenger& m_messages;
};

} // namespace mivo
