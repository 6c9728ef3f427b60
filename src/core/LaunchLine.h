#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace mivo {

// The emulator's command line: the syntax display, then a blank and the ROM when one is chosen.
QString launchCommandLine(const QString& syntaxDisplay, const QString& romDisplay);

struct ProgramInvocation {
    QString program;
    QStringList arguments;

    friend bool operator==(const ProgramInvocation&, const ProgramInvocation&) = default;
};

// Splits a command line at blanks into the program and its arguments. Nothing is quoted: quotes,
// backslashes and shell characters are ordinary characters of a word, so a file name can never turn
// into a command. A line with no word names no program.
std::optional<ProgramInvocation> splitCommandLine(const QString& commandLine);

} // namespace mivo
