#pragma once

#include "core/LaunchLine.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace mivo {

struct StartResult {
    bool started = false;
    QString failureReason; // the system's words, when not started
};

// Starts another program and does not wait for it. The program gets its arguments exactly as given:
// no shell sees them, and nothing is left behind as a zombie when it ends. A program that fails within
// its first moments is reported, so that a start that came to nothing does not pass unnoticed.
class ProgramStarter : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual StartResult start(const ProgramInvocation& invocation) = 0;

signals:
    // A started program ended soon after its start with a failure. `commandLine` is its program and
    // arguments joined by blanks, `howItEnded` says with which exit status or signal, and
    // `lastErrorLines` are the last lines it wrote on its standard error, oldest first.
    void endedEarly(const QString& commandLine, const QString& howItEnded, const QStringList& lastErrorLines);
};

} // namespace mivo
