#include "ui/main/MainWindow.h"

#include "core/ProgramTexts.h"
#include "ui/WindowGeometry.h"
#include "ui/main/RememberedFileDialog.h"
#include "ui/main/RomPage.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mivo {
namespace {

constexpr int kWindowWidth = 6090;
constexpr int kTabsHeight = 5295;

QLabel* boldLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// One line of program-made text under the tabs. It is shown as plain text, exactly as it stands, and
// what does not fit is cut off rather than widening the window.
QLabel* displayLine(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(twips(4455));
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* commandButton(const QString& name, const QString& caption, int width, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFixedWidth(twips(width));
    return button;
}

QAction* menuEntry(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QMenu* topMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

} // namespace

MainWindow::MainWindow(const Platform& platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_tabs(new QTabWidget(this))
    , m_options(m_tabs)
    , m_romPage(new RomPage(m_tabs))
    , m_zsnesDialog(new RememberedFileDialog(
          QStringLiteral("CommonDialog1"), QStringLiteral("Zsnes..."),
          QStringLiteral("Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|"), this))
    , m_romDialog(new RememberedFileDialog(QStringLiteral("CommonDialog2"), {}, {}, this))
    , m_romulusDialog(new RememberedFileDialog(
          QStringLiteral("CommonDialog3"), {},
          QStringLiteral("Romulus Executable (Romulus.exe)|*.exe|All Files (*.*)|*.*"), this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(texts::kMainWindowTitle));

    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(m_options.page(OptionTab::Video), QStringLiteral("&Video"));
    m_tabs->addTab(m_options.page(OptionTab::SoundControls), QStringLiteral("&Sound/Controls"));
    m_tabs->addTab(m_options.page(OptionTab::Misc), QStringLiteral("&Misc."));
    m_tabs->addTab(m_romPage, QStringLiteral("Rom(s)"));
    m_tabs->setFixedSize(twips(kWindowWidth), twips(kTabsHeight));
    fitPagesIntoTabs();
    m_tabs->setCurrentIndex(static_cast<int>(OptionTab::Misc));
    connectInterlocks(m_options);

    buildMenus();
    setCentralWidget(buildCentralWidget());
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_viewSyntax, &QPushButton::clicked, this, &MainWindow::Command1_Click);
}

void MainWindow::fitPagesIntoTabs() {
    // The tab control's own frame and tab bar take what its size hint adds to the largest page.
    QSize largestPage;
    for (int i = 0; i < m_tabs->count(); ++i)
        largestPage = largestPage.expandedTo(m_tabs->widget(i)->sizeHint());
    const QSize chrome = m_tabs->sizeHint() - largestPage;
    m_options.fitInto(m_tabs->size() - chrome);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = topMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    menuEntry(file, QStringLiteral("mnuSettings"), QStringLiteral("&Paths"));
    file->addSeparator()->setObjectName(QStringLiteral("mnuSeperator1"));
    menuEntry(file, QStringLiteral("mnuExit"), QStringLiteral("&Exit"));

    // Only one emulator is supported: the menu shows it and does nothing else.
    QMenu* mode = topMenu(bar, QStringLiteral("mnuMode"), QStringLiteral("&Mode"));
    auto* modes = new QActionGroup(mode);
    QAction* zsnes = menuEntry(mode, QStringLiteral("mnuZsnesMode"), QStringLiteral("&Zsnes"));
    QAction* snes9x = menuEntry(mode, QStringLiteral("mnuSnes9xMode"), QStringLiteral("&Snes9x"));
    for (QAction* entry : {zsnes, snes9x}) {
        entry->setCheckable(true);
        modes->addAction(entry);
    }
    zsnes->setChecked(true);
    snes9x->setEnabled(false);

    QMenu* addOns = topMenu(bar, QStringLiteral("mnuAddons"), QStringLiteral("&Add-ons"));
    menuEntry(addOns, QStringLiteral("mnuRomulus"), QStringLiteral("&Romulus"));
    addOns->addSeparator()->setObjectName(QStringLiteral("mnuSeperator"));
    menuEntry(addOns, QStringLiteral("mnuAboutAddons"), QStringLiteral("&About Add-ons"));

    QMenu* help = topMenu(bar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    menuEntry(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"));
    menuEntry(help, QStringLiteral("mnuAboutEmulators"), QStringLiteral("About &Emulators"));

    // The tray icon's pop-up; it never stands in the menu bar.
    auto* trayMenu = new QMenu(QStringLiteral("Right button"), this);
    trayMenu->setObjectName(QStringLiteral("mnuRightButton"));
    menuEntry(trayMenu, QStringLiteral("mnuExitRight"), QStringLiteral("&Exit"));
}

QWidget* MainWindow::buildCentralWidget() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(0);
    column->addWidget(m_tabs);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(twips(240), 6, 0, 6);
    m_viewSyntax = commandButton(QStringLiteral("Command1"), QStringLiteral("&View Syntax"), 2055, central);
    m_runPlay = commandButton(QStringLiteral("Command2"), QStringLiteral("&Run/Play"), 2175, central);
    buttons->addWidget(m_viewSyntax);
    buttons->addSpacing(twips(3600 - 240 - 2055));
    buttons->addWidget(m_runPlay);
    buttons->addStretch();
    column->addLayout(buttons);

    auto* lines = new QGridLayout;
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setVerticalSpacing(1);
    lines->setColumnMinimumWidth(0, twips(1440));
    m_syntaxDisplay =
        displayLine(QStringLiteral("Label1"), QString::fromLatin1(texts::kZsnesPlaceholder), central);
    m_romDisplay =
        displayLine(QStringLiteral("Label7"), QString::fromLatin1(texts::kRomPlaceholder), central);
    lines->addWidget(boldLabel(QStringLiteral("Label9"), QStringLiteral("Zsnes syntax:"), central), 0, 0);
    lines->addWidget(m_syntaxDisplay, 0, 1, Qt::AlignLeft);
    lines->addWidget(boldLabel(QStringLiteral("Label8"), QStringLiteral("Rom Name:"), central), 1, 0);
    lines->addWidget(m_romDisplay, 1, 1, Qt::AlignLeft);
    lines->setColumnStretch(2, 1);
    column->addLayout(lines);
    return central;
}

void MainWindow::Form_Load() {
    const bool noZsnesPath = m_syntaxDisplay->text() == QLatin1StringView(texts::kZsnesPlaceholder);
    m_viewSyntax->setEnabled(!noZsnesPath);
    m_runPlay->setEnabled(!noZsnesPath);
    m_options.selectGroupDefaults();
    centreOnScreen(*this);
}

void MainWindow::Command1_Click() {
    m_syntaxDisplay->setText(composeCommandLine(m_zsnesDialog->fileName(), m_options.snapshot()));
    m_runPlay->setEnabled(true);
}

} // namespace mivo
