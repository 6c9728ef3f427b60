#pragma once

#include <QString>

class QWidget;

namespace mivo {

// Hands an e-mail or web address to the desktop's default program for it. Whether one was found is
// not reported.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QString& target) = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// Tells the user something went wrong and waits until they have read it. `details`, when given, is
// shown on request in a scrolling area, for a text too long for the message itself.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void warn(QWidget* parent, const QString& title, const QString& text,
                      const QString& details = {}) = 0;
};

// Standard error: where a failure is told when no window may be shown, and where it leaves a trace.
class ErrorLog {
public:
    virtual ~ErrorLog() = default;
    virtual void write(const QString& line) = 0;
};

// Ends the process at once with `exitStatus`: no window gets to react, nothing else is saved.
class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    virtual void endNow(int exitStatus) = 0;
};

} // namespace mivo
