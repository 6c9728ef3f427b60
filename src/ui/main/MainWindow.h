#pragma once

#include "core/ProgramTexts.h"
#include "platform/Platform.h"
#include "ui/Choices.h"
#include "ui/Launcher.h"
#include "ui/main/OptionPages.h"
#include "ui/main/StoredValues.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;

namespace mivo {

class FileChooser;
class FilePathsWindow;
class SecondaryWindows;
class RomPage;

// Who ended Mivo: the user may be shown what went wrong on the way out, the system only told.
enum class Ending { ByUser, BySystem };

// Mivo's main window: the emulator options on their tabs, the command line they make, the ROM to
// run, and the menus that lead to everything else.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(const Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Restores the stored values and brings the window to its state at start, before it is shown.
    void restoreSession();

    // The File Paths window, made hidden when it does not exist; its load step runs first when it was
    // closed since it last ran.
    FilePathsWindow& filePaths();

    // Chooses the ROM at `path` as "Load Rom....." chooses a file; nothing is started.
    void chooseRom(const QString& path);

    // Saves the four values, takes the icon out of the tray and ends the process: the close box's
    // step, also run when the system asks Mivo to end. A failed save ends it with status 1, told on
    // standard error and, when the user ended Mivo, in a warning first.
    void endSession(Ending ending);

    // Saves the four values and goes on; a failure is told on standard error, and returned.
    std::optional<SaveFailure> saveSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void fitPagesIntoTabs();
    void buildMenus();
    QWidget* buildCentralWidget();
    [[nodiscard]] QCheckBox& trayCheck(int number) const;
    void bindTrayCheck(int number, int (Choices::*value)() const, void (Choices::*setValue)(int),
                       void (Choices::*changed)(int));
    [[nodiscard]] std::array<StoredValue, 4> storedValues();

    void hideIntoTrayWhenMinimized();
    void hideIfStillMinimized();
    void viewSyntax();
    void runPlay();
    void iconInTrayToggled();
    void showFilePaths();
    void openRomulus();
    void exitWithoutSaving();
    void comeBackInFront();
    void programEndedEarly(const QString& commandLine, const QString& howItEnded,
                           const QStringList& lastErrorLines);

    void zsnesPathSought(const QString& fileName);
    void zsnesPathGone();
    void loadFilePaths();
    void filePathsClosing();

    Platform m_platform;
    Launcher m_launcher;
    Choices m_choices;
    QTabWidget* m_tabs;
    OptionPages m_options;
    RomPage* m_romPage;
    QPushButton* m_viewSyntax = nullptr;
    QPushButton* m_runPlay = nullptr;
    QLabel* m_syntaxDisplay = nullptr;
    QLabel* m_romDisplay = nullptr;
    QMenu* m_trayMenu = nullptr;
    FileChooser* m_zsnesChooser;
    FileChooser* m_romulusChooser;
    QPointer<FilePathsWindow> m_filePaths;
    bool m_filePathsLoaded = true; // as from the start, until the window is first closed
    bool m_ending = false;
    // Declared last, so that it goes before the members it refers to.
    std::unique_ptr<SecondaryWindows> m_secondaryWindows;
};

} // namespace mivo
