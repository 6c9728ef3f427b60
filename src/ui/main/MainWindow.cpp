#include "ui/main/MainWindow.h"

#include "core/FileFilter.h"
#include "core/LaunchLine.h"
#include "core/ProgramTexts.h"
#include "core/SettingsKeys.h"
#include "ui/FileChooser.h"
#include "ui/Named.h"
#include "ui/WindowGeometry.h"
#include "ui/dialogs/FilePathsWindow.h"
#include "ui/dialogs/SecondaryWindows.h"
#include "ui/main/CheckValue.h"
#include "ui/main/RomDrag.h"
#include "ui/main/RomPage.h"
#include "ui/main/StoredValues.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace mivo {
namespace {

constexpr int kWindowWidth = 6090;
constexpr int kTabsHeight = 5295;

} // namespace

MainWindow::MainWindow(const Platform& platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_launcher(platform.programs, platform.messages)
    , m_tabs(named(new QTabWidget(this), QStringLiteral("SSTab1")))
    , m_options(m_tabs)
    , m_romPage(new RomPage(platform.fileDialogs, m_tabs))
    // Programs here carry no ".exe", so the dialogs open on the filter that shows them.
    , m_zsnesChooser(
          named(new FileChooser(QStringLiteral("Zsnes..."),
                                designedFileFilter(
                                    QStringLiteral("Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|"),
                                    QStringLiteral("All Files (*.*)")),
                                this),
                QStringLiteral("CommonDialog1")))
    , m_romulusChooser(named(
          new FileChooser(
              {},
              designedFileFilter(QStringLiteral("Romulus Executable (Romulus.exe)|*.exe|All Files (*.*)|*.*"),
                                 QStringLiteral("All Files (*.*)")),
              this),
          QStringLiteral("CommonDialog3"))) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(texts::kMainWindowTitle));

    m_tabs->addTab(m_options.page(OptionTab::Video), QStringLiteral("&Video"));
    m_tabs->addTab(m_options.page(OptionTab::SoundControls), QStringLiteral("&Sound/Controls"));
    m_tabs->addTab(m_options.page(OptionTab::Misc), QStringLiteral("&Misc."));
    m_tabs->addTab(m_romPage, QStringLiteral("Rom(s)"));
    m_tabs->setFixedSize(twips(kWindowWidth), twips(kTabsHeight));
    fitPagesIntoTabs();
    m_tabs->setCurrentIndex(static_cast<int>(OptionTab::Misc));
    connectInterlocks(m_options);

    m_secondaryWindows = std::make_unique<SecondaryWindows>(*this, m_platform, m_launcher);
    buildMenus();
    setCentralWidget(buildCentralWidget());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // A ROM dropped anywhere on the window is chosen: no control takes a drag for itself, not even a
    // number field the text of a path.
    for (QWidget* child : findChildren<QWidget*>())
        child->setAcceptDrops(false);
    setAcceptDrops(true);

    connect(m_romPage, &RomPage::romChosen, &m_choices, &Choices::setRom);
    connect(m_romPage, &RomPage::noRomChosen, &m_choices, [this] { m_choices.setRom(std::nullopt); });
    connect(&m_choices, &Choices::romChanged, m_romDisplay, [this](const std::optional<QString>& rom) {
        m_romDisplay->setText(rom.value_or(QString::fromLatin1(texts::kRomPlaceholder)));
    });
    connect(&m_choices, &Choices::shownLineChanged, m_syntaxDisplay, &QLabel::setText);
    // The Zsnes dialog starts from the path, whether it was restored, typed or cleared.
    connect(&m_choices, &Choices::zsnesPathChanged, m_zsnesChooser, &FileChooser::setFileName);
    connect(m_viewSyntax, &QPushButton::clicked, this, &MainWindow::viewSyntax);
    connect(m_runPlay, &QPushButton::clicked, this, &MainWindow::runPlay);
    bindTrayCheck(kMinimizeToTrayCheck, &Choices::minimizeToTray, &Choices::setMinimizeToTray,
                  &Choices::minimizeToTrayChanged);
    bindTrayCheck(kIconInTrayCheck, &Choices::iconInTray, &Choices::setIconInTray,
                  &Choices::iconInTrayChanged);
    connect(&m_choices, &Choices::iconInTrayChanged, this, &MainWindow::iconInTrayToggled);

    // The icon is in the tray from the moment the window exists; start-up may take it away again.
    m_platform.tray.setPopupMenu(m_trayMenu);
    m_platform.tray.setInTray(true);
    connect(&m_platform.tray, &TrayIcon::leftButtonClicked, this, &MainWindow::comeBackInFront);
    connect(&m_platform.programs, &ProgramStarter::endedEarly, this, &MainWindow::programEndedEarly);
}

// The File Paths window has no owner, so it is not deleted with this window on its own.
MainWindow::~MainWindow() {
    delete m_filePaths.data();
}

QCheckBox& MainWindow::trayCheck(int number) const {
    return m_options.checkBox(checkIndex(number));
}

// A tray box shows its value in `m_choices` and changes it: the user's click and the program's own
// change alike.
void MainWindow::bindTrayCheck(int number, int (Choices::*value)() const, void (Choices::*setValue)(int),
                               void (Choices::*changed)(int)) {
    QCheckBox& box = trayCheck(number);
    connect(&box, &QCheckBox::stateChanged, &m_choices,
            [this, &box, setValue] { (m_choices.*setValue)(checkValue(box)); });
    connect(&m_choices, changed, &box, [&box](int stored) {
        if (checkValue(box) != stored)
            setCheckValue(box, stored);
    });
    setCheckValue(box, (m_choices.*value)());
}

FilePathsWindow& MainWindow::filePaths() {
    loadFilePaths();
    if (m_filePaths.isNull()) {
        m_filePaths =
            named(new FilePathsWindow(m_choices, *m_zsnesChooser, *m_romulusChooser, m_platform.fileDialogs),
                  QStringLiteral("Form5"));
        connect(m_filePaths, &FilePathsWindow::zsnesPathSought, this, &MainWindow::zsnesPathSought);
        connect(m_filePaths, &FilePathsWindow::zsnesPathCleared, this, &MainWindow::zsnesPathGone);
        connect(m_filePaths, &FilePathsWindow::closing, this, &MainWindow::filePathsClosing);
    }
    return *m_filePaths;
}

// Until the File Paths window is closed it counts as loaded, made or not: it is made only when first
// shown, which spares the start its cost. At the start its load step would change nothing the
// restored Zsnes path does not.
void MainWindow::loadFilePaths() {
    if (m_filePathsLoaded)
        return;
    m_filePathsLoaded = true;
    FilePathsWindow::load(m_choices, *m_zsnesChooser);
}

// The values Mivo keeps, in the order they are restored and written.
std::array<StoredValue, 4> MainWindow::storedValues() {
    return {{
        storedCheckValue(settings::kMinimizeToTray, m_choices, &Choices::minimizeToTray,
                         &Choices::setMinimizeToTray),
        // A change runs the box's reaction at once, which may take the icon away and clear the value above.
        storedCheckValue(settings::kIconInTray, m_choices, &Choices::iconInTray, &Choices::setIconInTray),
        {settings::kZsnesPath, [this] { return m_choices.zsnesPath(); },
         [this](const QString& path) { m_choices.setZsnesPath(path); }},
        {settings::kRomulusPath, [this] { return m_choices.romulusPath(); },
         [this](const QString& path) { m_choices.setRomulusPath(path); }},
    }};
}

void MainWindow::chooseRom(const QString& path) {
    m_romPage->chooseRom(path);
}

void MainWindow::restoreSession() {
    restoreValues(m_platform.settings, storedValues());
    m_romulusChooser->setFileName(m_choices.romulusPath());

    const bool noZsnesPath = m_choices.zsnesPath() == QLatin1StringView(texts::kZsnesPlaceholder);
    m_viewSyntax->setEnabled(!noZsnesPath);
    m_runPlay->setEnabled(!noZsnesPath);

    m_options.selectGroupDefaults();
    centreOnScreen(*this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    endSession(Ending::ByUser);
    event->accept();
}

void MainWindow::endSession(Ending ending) {
    // Only the warning of a failed save waits for the user on the way out; the system ending Mivo
    // meanwhile ends it at once.
    if (m_ending) {
        m_platform.processEnd.endNow(1);
        return;
    }
    m_ending = true;
    const auto failure = saveSettings();
    m_platform.tray.setInTray(false);
    if (failure && ending == Ending::ByUser) {
        m_platform.messages.warn(
            this, tr("Mivo"),
            tr("The settings could not be saved to\n%1\n\n%2\n\nThe values stored before are kept.")
                .arg(failure->file, failure->reason));
    }
    m_platform.processEnd.endNow(failure ? 1 : 0);
}

std::optional<SaveFailure> MainWindow::saveSettings() {
    writeValues(m_platform.settings, storedValues());
    auto failure = m_platform.settings.save();
    if (failure) {
        m_platform.errors.write(
            tr("mivo: the settings could not be saved to %1: %2").arg(failure->file, failure->reason));
    }
    return failure;
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        hideIntoTrayWhenMinimized();
    // The lock of the information windows is for this window alone: the tray menu, a window of its
    // own that only hangs on this one, keeps its "Exit" usable.
    if (event->type() == QEvent::EnabledChange)
        m_trayMenu->setEnabled(true);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    acceptRomDrag(*event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    acceptRomDrag(*event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (const auto path = acceptRomDrag(*event))
        chooseRom(*path);
}

void MainWindow::hideIntoTrayWhenMinimized() {
    // Without a tray to come back from, a hidden window would be lost: it stays on the taskbar.
    if (m_choices.minimizeToTray() != 1 || !isMinimized() || !m_platform.tray.isTrayAvailable())
        return;
    // Hidden once the state change is over, so that nothing showing the window as part of that change
    // brings it back.
    QTimer::singleShot(0, this, &MainWindow::hideIfStillMinimized);
}

void MainWindow::hideIfStillMinimized() {
    if (isMinimized())
        hide();
}

void MainWindow::iconInTrayToggled() {
    const bool inTray = m_choices.iconInTray() == 1;
    m_platform.tray.setInTray(inTray);
    if (!inTray)
        m_choices.setMinimizeToTray(0);
    trayCheck(kMinimizeToTrayCheck).setEnabled(inTray);
}

void MainWindow::comeBackInFront() {
    // A window hidden while minimised would come back minimised, and the window manager might take it
    // for one to be shown iconic: it comes back in the normal state, in front.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    showNormal();
    raise();
    activateWindow();
}

// The emulator or Romulus failed at once, likely before showing anything: the window that went to the
// tray for it comes back to say so, since otherwise the user would see nothing happen at all.
void MainWindow::programEndedEarly(const QString& commandLine, const QString& howItEnded,
                                   const QStringList& lastErrorLines) {
    if (m_ending)
        return;
    comeBackInFront();
    m_launcher.tellEndedEarly(this, commandLine, howItEnded, lastErrorLines);
}

void MainWindow::exitWithoutSaving() {
    m_platform.processEnd.endNow(0);
}

// Whatever the search gave, the display starts again from the bare path. "&Run/Play" is left as it
// is: it becomes usable once "&View Syntax" has made the line it runs.
void MainWindow::zsnesPathSought(const QString& fileName) {
    m_choices.setShownLine(fileName);
    m_viewSyntax->setEnabled(true);
    m_romPage->enableLoadRom();
    if (fileName.isEmpty())
        zsnesPathGone();
}

void MainWindow::zsnesPathGone() {
    m_viewSyntax->setEnabled(false);
    m_runPlay->setEnabled(false);
    m_choices.setShownLine(QString::fromLatin1(texts::kZsnesPlaceholder));
}

// A command line composed while the window was open goes; the line shows the bare path again. The
// path is the Zsnes chooser's, which follows every change of the path and is what a window made anew
// shows.
void MainWindow::filePathsClosing() {
    m_choices.setZsnesPath(m_zsnesChooser->fileName());
    m_filePathsLoaded = false;
}

// The Romulus path belongs to the File Paths window: asking for it loads the window again when it was
// closed, and its load step shows the bare Zsnes path on the line, as reopening the window does.
void MainWindow::openRomulus() {
    loadFilePaths();
    m_secondaryWindows->startRomulus(m_choices.romulusPath());
}

void MainWindow::showFilePaths() {
    FilePathsWindow& paths = filePaths();
    paths.show();
    paths.raise();
    paths.activateWindow();
}

void MainWindow::viewSyntax() {
    m_choices.setShownLine(composeCommandLine(m_choices.zsnesPath(), m_options.snapshot()));
    m_runPlay->setEnabled(true);
}

void MainWindow::runPlay() {
    const QString commandLine = launchCommandLine(m_choices.shownLine(), m_choices.rom());
    if (!m_launcher.launch(this, commandLine))
        return;
    if (m_choices.minimizeToTray() != 1)
        return;
    // Straight into the tray: a window minimised on its way there would carry the iconic state into
    // its hiding, and the first click on the tray icon could bring it back iconic, only to hide again.
    if (m_platform.tray.isTrayAvailable())
        hide();
    else
        setWindowState(windowState() | Qt::WindowMinimized);
}

} // namespace mivo
