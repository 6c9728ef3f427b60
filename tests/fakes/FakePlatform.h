#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

class QWidget;

namespace mivo::fakes {

// Stand-ins for the desktop that record what the program asked of it.
struct FakeSettingsStore final : SettingsStore {
    QString text(const QString& key, const QString& fallback) const override {
        return values.value(key, fallback);
    }
    void setText(const QString& key, const QString& value) override {
        values.insert(key, value);
        writes.append(key + '=' + value);
    }
    std::optional<SaveFailure> save() override {
        ++saves;
        return failWith;
    }

    QMap<QString, QString> values;
    QStringList writes; // "key=value", in the order they were made
    int saves = 0;
    std::optional<SaveFailure> failWith; // set to make every save fail
};

struct FakeProgramStarter final : ProgramStarter {
    StartResult start(const ProgramInvocation& invocation) override {
        started.append(invocation);
        return {failWith.isEmpty(), failWith};
    }
    QList<ProgramInvocation> started;
    QString failWith; // set to make every start fail with this reason
};

struct FakeFileOpenDialog final : FileOpenDialog {
    std::optional<QString> chooseFile(QWidget*, const FileOpenRequest& request) override {
        requests.append(request);
        // Taken apart and made anew: GCC's -O3 flow analysis loses track of a copied optional<QString>.
        const bool chosen = !answers.empty() && answers.front().has_value();
        const QString answer = chosen ? *answers.front() : QString();
        if (!answers.empty())
            answers.pop_front();
        return chosen ? std::optional<QString>(answer) : std::nullopt;
    }
    std::deque<std::optional<QString>> answers; // nullopt: the user cancels
    QList<FileOpenRequest> requests;
};

struct FakeDesktop final : UrlOpener, Beeper, Messenger, ErrorLog, ProcessEnd {
    void open(const QString& target) override { opened.append(target); }
    void beep() override { ++beeps; }
    void warn(QWidget*, const QString& title, const QString& text, const QString& details) override {
        warnings.append({title, text, details});
        if (whileWarning)
            whileWarning();
    }
    void write(const QString& line) override { errors.append(line); }
    void endNow(int exitStatus) override { ends.append(exitStatus); }

    struct Warning {
        QString title, text, details;
    };
    QStringList opened;
    int beeps = 0;
    QList<Warning> warnings;
    QStringList errors;                 // lines on standard error
    QList<int> ends;                    // the exit status of each end
    std::function<void()> whileWarning; // what happens while a warning waits for the user
};

struct FakeTrayIcon final : TrayIcon {
    void setInTray(bool inTray) override { m_inTray = inTray; }
    bool isInTray() const override { return m_inTray; }
    bool isTrayAvailable() const override { return available; }
    void setPopupMenu(QMenu* menu) override { popupMenu = menu; }

    bool available = true;
    QMenu* popupMenu = nullptr;

private:
    bool m_inTray = false;
};

// One of each fake, wired into a Platform for the window under test.
struct FakePlatform {
    FakeSettingsStore settings;
    FakeProgramStarter programs;
    FakeFileOpenDialog fileDialogs;
    FakeDesktop desktop;
    FakeTrayIcon tray;

    Platform platform() {
        return {settings, programs, fileDialogs, desktop, desktop, desktop, desktop, tray, desktop};
    }
};

} // namespace mivo::fakes
