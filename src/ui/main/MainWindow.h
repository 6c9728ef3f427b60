#pragma once

#include "core/ProgramTexts.h"
#include "platform/Platform.h"
#include "ui/Launcher.h"
#include "ui/dialogs/FilePathsListener.h"
#include "ui/main/OptionPages.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace mivo {

class FilePathsDialog;
class SecondaryWindows;
class RememberedFileDialog;
class RomPage;

// Mivo's main window: the emulator options on their tabs, the command line they make, the ROM to
// run, and the menus that lead to everything else.
class MainWindow : public QMainWindow, private FilePathsListener {
    Q_OBJECT

public:
    explicit MainWindow(const Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Restores the stored values and brings the window to its state at start, before it is shown.
    void Form_Load();

    // The File Paths window; touching it while it does not exist makes it, hidden.
    FilePathsDialog& filePaths();

    // Saves the four values, takes the icon out of the tray and ends the process: the close box's
    // step, also run when the system asks Mivo to end.
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitPagesIntoTabs();
    void buildMenus();
    QWidget* buildCentralWidget();
    [[nodiscard]] QCheckBox& trayCheck(int number) const;
    [[nodiscard]] int storedCheckValue(const char* key, int current) const;

    void Form_Resize();
    void hideIfStillMinimized();
    void Command1_Click();
    void Command2_Click();
    void Check37_Click();
    void mnuSettings_Click();
    void mnuExitRight_Click();
    void trayLeftButton();

    void showSyntax(const QString& text) override;
    void zsnesPathSought() override;
    void zsnesPathGone() override;
    void romulusPathChanged(const QString& path) override;

    Platform m_platform;
    Launcher m_launcher;
    QTabWidget* m_tabs;
    OptionPages m_options;
    RomPage* m_romPage;
    QPushButton* m_viewSyntax = nullptr;
    QPushButton* m_runPlay = nullptr;
    QLabel* m_syntaxDisplay = nullptr;
    QLabel* m_romDisplay = nullptr;
    RememberedFileDialog* m_zsnesDialog;
    RememberedFileDialog* m_romulusDialog;
    QString m_romulusPath = QString::fromLatin1(texts::kRomulusFieldStartText);
    QPointer<FilePathsDialog> m_filePaths;
    // Declared last, so that it goes before the members it refers to.
    std::unique_ptr<SecondaryWindows> m_secondaryWindows;
};

} // namespace mivo
