// How the main window's parts are made: the option pages fitted into the tabs, the menus, and the
// buttons and lines under the tabs. What the window does with them is in MainWindow.cpp.

#include "core/ProgramTexts.h"
#include "ui/Bold.h"
#include "ui/Named.h"
#include "ui/WindowGeometry.h"
#include "ui/dialogs/SecondaryWindows.h"
#include "ui/main/CommandLineDisplay.h"
#include "ui/main/MainWindow.h"

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

// One line of program-made text under the tabs, `label` made for it. It is shown as plain text, exactly as
// it stands, and what does not fit is cut off rather than widening the window; how it is selected is the
// label's own.
QLabel* displayLine(QLabel* label, const QString& name) {
    named(label, name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(twips(4455));
    return label;
}

QPushButton* commandButton(const QString& name, const QString& caption, int width, QWidget* parent) {
    auto* button = named(new QPushButton(caption, parent), name);
    button->setFixedWidth(twips(width));
    return button;
}

QAction* menuEntry(QMenu* menu, const QString& name, const QString& caption) {
    return named(menu->addAction(caption), name);
}

QMenu* topMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    return named(bar->addMenu(caption), name);
}

} // namespace

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
    connect(menuEntry(file, QStringLiteral("mnuSettings"), QStringLiteral("&Paths")), &QAction::triggered,
            this, &MainWindow::showFilePaths);
    file->addSeparator()->setObjectName(QStringLiteral("mnuSeperator1"));
    connect(menuEntry(file, QStringLiteral("mnuExit"), QStringLiteral("&Exit")), &QAction::triggered, this,
            &QWidget::close);

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
    connect(menuEntry(addOns, QStringLiteral("mnuRomulus"), QStringLiteral("&Romulus")), &QAction::triggered,
            this, &MainWindow::openRomulus);
    addOns->addSeparator()->setObjectName(QStringLiteral("mnuSeperator"));
    connect(menuEntry(addOns, QStringLiteral("mnuAboutAddons"), QStringLiteral("&About Add-ons")),
            &QAction::triggered, m_secondaryWindows.get(), &SecondaryWindows::showAboutAddOns);

    QMenu* help = topMenu(bar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    connect(menuEntry(help, QStringLiteral("mnuAbout"), QStringLiteral("&About")), &QAction::triggered,
            m_secondaryWindows.get(), &SecondaryWindows::showAbout);
    connect(menuEntry(help, QStringLiteral("mnuAboutEmulators"), QStringLiteral("About &Emulators")),
            &QAction::triggered, m_secondaryWindows.get(), &SecondaryWindows::showAboutEmulators);

    // The tray icon's pop-up; it never stands in the menu bar.
    m_trayMenu = named(new QMenu(QStringLiteral("Right button"), this), QStringLiteral("mnuRightButton"));
    connect(menuEntry(m_trayMenu, QStringLiteral("mnuExitRight"), QStringLiteral("&Exit")),
            &QAction::triggered, this, &MainWindow::exitWithoutSaving);
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
    lines->setContentsMargins(6, 0, 6, 0);
    lines->setVerticalSpacing(1);
    lines->setColumnMinimumWidth(0, twips(1440));
    // Each caption is made before its line, so that a screen reader reads them in that order.
    lines->addWidget(
        inBold(named(new QLabel(QStringLiteral("Zsnes syntax:"), central), QStringLiteral("Label9"))), 0, 0);
    m_syntaxDisplay =
        displayLine(new CommandLineDisplay(QString::fromLatin1(texts::kZsnesPlaceholder), central),
                    QStringLiteral("Label1"));
    lines->addWidget(m_syntaxDisplay, 0, 1, Qt::AlignLeft);
    lines->addWidget(
        inBold(named(new QLabel(QStringLiteral("Rom Name:"), central), QStringLiteral("Label8"))), 1, 0);
    m_romDisplay = displayLine(new QLabel(QString::fromLatin1(texts::kRomPlaceholder), central),
                               QStringLiteral("Label7"));
    m_romDisplay->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lines->addWidget(m_romDisplay, 1, 1, Qt::AlignLeft);
    lines->setColumnStretch(2, 1);
    column->addLayout(lines);
    return central;
}

} // namespace mivo
