#pragma once

#include "platform/Platform.h"
#include "ui/main/OptionPages.h"

#include <QMainWindow>

class QLabel;
class QPushButton;
class QTabWidget;

namespace mivo {

class RememberedFileDialog;
class RomPage;

// Mivo's main window: the emulator options on their tabs, the command line they make, the ROM to
// run, and the menus that lead to everything else.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(const Platform& platform, QWidget* parent = nullptr);

    // Brings the window to its state at start, before it is first shown.
    void Form_Load();

private:
    void fitPagesIntoTabs();
    void buildMenus();
    QWidget* buildCentralWidget();

    void Command1_Click();

    Platform m_platform;
    QTabWidget* m_tabs;
    OptionPages m_options;
    RomPage* m_romPage;
    QPushButton* m_viewSyntax = nullptr;
    QPushButton* m_runPlay = nullptr;
    QLabel* m_syntaxDisplay = nullptr;
    QLabel* m_romDisplay = nullptr;
    RememberedFileDialog* m_zsnesDialog;
    RememberedFileDialog* m_romDialog;
    RememberedFileDialog* m_romulusDialog;
};

} // namespace mivo
