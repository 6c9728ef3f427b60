#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace mivo {

class Messenger;
class ProgramStarter;

// Starts a command line the way every program Mivo runs is started: split at blanks, no shell, no
// waiting. A start that fails is told to the user, with the command and the system's reason.
class Launcher {
    Q_DECLARE_TR_FUNCTIONS(Launcher)

public:
    Launcher(ProgramStarter& programs, Messenger& messages);

    // Returns whether the program was started.
    bool launch(QWidget* parent, const QString& commandLine) const;

private:
    ProgramStarter& m_programs;
    Messenger& m_messages;
};

} // namespace mivo
