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

// Tells the user something went wrong and waits until they have read it.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void warn(QWidget* parent, const QString& title, const QString& text) = 0;
};

// Ends the process at once: no window gets to react, nothing else is saved.
class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    virtual void endNow() = 0;
};

} // namespace mivo
