#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QStringList>

#include <deque>
#include <optional>

class QWidget;

namespace mivo::fakes {

class FakeSettingsStore final : public SettingsStore {
public:
    QString text(const QString& key, const QString& fallback) const override {
        return values.contains(key) ? values.value(key) : fallback;
    }
    void setText(const QString& key, const QString& value) override {
        values.insert(key, value);
        writes.append({key, value});
    }
    void flush() override { ++flushes; }

    QMap<QString, QString> values;
    QList<QPair<QString, QString>> writes; // in the order they were made
    int flushes = 0;
};

class FakeProgramStarter final : public ProgramStarter {
public:
    StartResult start(const ProgramInvocation& invocation) override {
        started.append(invocation);
        if (failWith.isEmpty())
            return {true, {}};
        return {false, failWith};
    }

    QList<ProgramInvocation> started;
    QString failWith; // set to make every start fail with this reason
};

class FakeFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<QString> chooseFile(QWidget*, const FileOpenRequest& request) override {
        requests.append(request);
        if (answers.empty())
            return std::nullopt;
        // Taken apart and made anew: GCC's -O3 flow analysis loses track of a copied optional<QString>.
        const bool cancelled = !answers.front().has_value();
        const QString answer = answers.front().value_or(QString());
        answers.pop_front();
        return cancelled ? std::nullopt : std::optional<QString>(answer);
    }

    std::deque<std::optional<QString>> answers; // nullopt: the user cancels
    QList<FileOpenRequest> requests;
};

class FakeUrlOpener final : public UrlOpener {
public:
    void open(const QString& target) override { opened.append(target); }
    QStringList opened;
};

class FakeBeeper final : public Beeper {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class FakeMessenger final : public Messenger {
public:
    void warn(QWidget*, const QString& title, const QString& text) override {
        warnings.append({title, text});
    }
    QList<QPair<QString, QString>> warnings;
};

class FakeTrayIcon final : public TrayIcon {
public:
    void setInTray(bool inTray) override { m_inTray = inTray; }
    bool isInTray() const override { return m_inTray; }
    bool isTrayAvailable() const override { return available; }
    void setPopupMenu(QMenu* menu) override { popupMenu = menu; }

    bool available = true;
    QMenu* popupMenu = nullptr;

private:
    bool m_inTray = false;
};

class FakeProcessEnd final : public ProcessEnd {
public:
    void endNow() override { ++ends; }
    int ends = 0;
};

// One of each fake, wired into a Platform for the window under test.
struct FakePlatform {
    FakeSettingsStore settings;
    FakeProgramStarter programs;
    FakeFileOpenDialog fileDialogs;
    FakeUrlOpener urls;
    FakeBeeper beeper;
    FakeMessenger messages;
    FakeTrayIcon tray;
    FakeProcessEnd processEnd;

    Platform platform() {
        return {settings, programs, fileDialogs, urls, beeper, messages, tray, processEnd};
    }
};

} // namespace mivo::fakes
