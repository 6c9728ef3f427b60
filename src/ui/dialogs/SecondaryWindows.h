#pragma once

#include "platform/Platform.h"
#include "ui/dialogs/MainWindowLock.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace mivo {

class InformationWindow;
class Launcher;

// Opens what the Help menu and the Romulus entry lead to. Each information window appears once at a
// time, beside the main window rather than inside it, and keeps the main window locked while open.
class SecondaryWindows : public QObject {
    Q_OBJECT

public:
    // The main window, the platform services and the launcher must outlive this object; windows still
    // open when it goes are closed.
    SecondaryWindows(QWidget& mainWindow, const Platform& platform, const Launcher& launcher,
                     QObject* parent = nullptr);
    ~SecondaryWindows() override;

    SecondaryWindows(const SecondaryWindows&) = delete;
    SecondaryWindows& operator=(const SecondaryWindows&) = delete;

    void showAbout();
    void showAboutAddOns();
    void showAboutEmulators();
    // Starts Romulus from `romulusPath`, or says that no path has been chosen for it yet.
    void startRomulus(const QString& romulusPath);

private:
    using WindowMaker = std::function<std::unique_ptr<InformationWindow>()>;
    void present(QPointer<InformationWindow>& slot, const WindowMaker& make);

    QWidget& m_mainWindow;
    Platform m_platform;
    const Launcher& m_launcher;
    MainWindowLock m_lock;
    QPointer<InformationWindow> m_about;
    QPointer<InformationWindow> m_aboutAddons;
    QPointer<InformationWindow> m_aboutEmulators;
    QPointer<InformationWindow> m_romulusNotFound;
};

} // namespace mivo
