#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace mivo {

// The emulator's command line: the shown line, then a blank and the ROM when one is chosen. A shown
// line with no word names no program, and then the ROM is left out rather than started as one: a ROM
// on a card where every file is executable would otherwise run as a program.
QString launchCommandLine(const QString& shownLine, const std::optional<QString>& rom);

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
