#include "MainWindowDriver.h"
#include "app/Program.h"

#include <QAccessible>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>

using namespace mivo;
using namespace mivo::testing;

const QString kMinimize = QStringLiteral("Mivo minimizes into system tray");

// A session with Mivo: what it restores, the paths, the ROM, the launch, the tray, the information
// windows, and what it stores when it ends.
class TestSession : public testing::SessionTest {
    Q_OBJECT

private slots:
    void startRestoresAndCloseStoresTheFourValues_data() {
        QTest::addColumn<Stored>("stored");
        QTest::addColumn<int>("minimize"); // check state of "Mivo minimizes into system tray"
        QTest::addColumn<bool>("minimizeUsable");
        QTest::addColumn<QStringList>("savedTray"); // "Minimize to tray" and "Icon in tray" at the end
        const auto row = [](const char* name, const Stored& stored, int minimize, bool usable,
                            const QStringList& savedTray) {
            QTest::newRow(name) << stored << minimize << usable << savedTray;
        };
        const QStringList ticked{"1", "1"};
        row("first start", {}, 2, true, ticked);
        row("paths", {{"zsnesfilepath", kZsnes}, {"romuluspath", "/opt/Romulus"}}, 2, true, ticked);
        row("no Zsnes path", {{"zsnesfilepath", kNoZsnes}}, 2, true, ticked);
        row("icon off clears minimise", {{"Minimize to tray", "1"}, {"Icon in tray", "0"}}, 0, false,
            {"0", "0"});
        row("minimise off", {{"Minimize to tray", "0"}, {"Icon in tray", "1"}}, 0, true, {"0", "1"});
        row("greyed", {{"Minimize to tray", "2"}}, 1, true, {"2", "1"});
        row("not a whole number from 0 to 2", {{"Minimize to tray", "3"}, {"Icon in tray", "yes"}}, 2, true,
            ticked);
    }
    void startRestoresAndCloseStoresTheFourValues() {
        QFETCH(Stored, stored);
        QFETCH(int, minimize);
        QFETCH(bool, minimizeUsable);
        QFETCH(QStringList, savedTray);
        start(stored);
        // Paths are restored as they were stored; with none, the Zsnes path is empty and the Romulus path
        // is its field's designed text.
        const QString zsnes = stored.value("zsnesfilepath");
        const QString romulus = stored.value("romuluspath", "Romulus Path");
        QCOMPARE(d().syntax(), zsnes);
        QCOMPARE(d().button("&View Syntax")->isEnabled(), zsnes != kNoZsnes);
        QCOMPARE(d().button("&Run/Play")->isEnabled(), zsnes != kNoZsnes);
        const auto* box = qobject_cast<QCheckBox*>(d().button(kMinimize));
        QVERIFY(box);
        QCOMPARE(int(box->checkState()), minimize);
        QCOMPARE(box->isEnabled(), minimizeUsable);
        QCOMPARE(d().fakes.tray.isInTray(), savedTray[1] == "1");
        QCOMPARE(testing::topLevel("File Paths"), nullptr); // not shown
        d().inPaths("Find Romulus");
        QCOMPARE(d().fakes.fileDialogs.requests[0].startFileName, romulus);

        QVERIFY(d().window->close());
        QCOMPARE(d().fakes.settings.writes, shutdownWrites(savedTray + QStringList{zsnes, romulus}));
        QCOMPARE(d().fakes.settings.saves, 1);
        QVERIFY(!d().fakes.tray.isInTray());
        QCOMPARE(d().fakes.desktop.ends, QList<int>{0});
    }

    void aRestoredGreyedBoxTakesOnlyTwoStatesFromTheUser() {
        start({{"Minimize to tray", "2"}});
        for (int clicks = 0; clicks < 3; ++clicks)
            d().press(kMinimize);
        const auto* box = qobject_cast<QCheckBox*>(d().button(kMinimize));
        QVERIFY(box && box->checkState() == Qt::Checked); // greyed, ticked, clear, ticked
    }

    void runPlayStartsTheLineAndGoesToTheTray() {
        start();
        d().press("&Run/Play"); // before any View Syntax: the bare path
        // Straight into the tray, not minimised on the way: one click on the icon brings it back, in front.
        QVERIFY(!d().window->isVisible() && !d().window->isMinimized());
        emit d().fakes.tray.leftButtonClicked();
        QVERIFY(QTest::qWaitForWindowActive(d().window.get()));
        d().loadRom("/roms/a.smc");
        d().press("Mivo minimizes into system tray");
        d().press("&Run/Play");
        QCOMPARE(d().fakes.programs.started,
                 (QList<ProgramInvocation>{{kZsnes, {}}, {kZsnes, {"/roms/a.smc"}}}));
        QVERIFY(d().window->isVisible() && !d().window->isMinimized());
        QVERIFY(d().fakes.desktop.warnings.isEmpty());

        // A path longer than a line edit's usual limit comes back whole; a line too long to show is shown
        // by its start and its end, whole in the details.
        const QString zsnes = "/nowhere/" + QString(40000, u'z') + "/zsnes";
        start({{"zsnesfilepath", zsnes}});
        d().fakes.programs.failWith = "Argument list too long";
        d().press("&Run/Play");
        QVERIFY(!d().window->isMinimized());
        QCOMPARE(d().fakes.desktop.warnings.size(), 1);
        const auto& [title, text, details] = d().fakes.desktop.warnings[0];
        QVERIFY2(title == "Mivo" && text.startsWith("Could not start this command line:\n/nowhere/zz") &&
                     text.endsWith("zz/zsnes\n\nArgument list too long") && text.size() < 200,
                 qPrintable(text));
        QCOMPARE(details, zsnes);
        d().window->close();
        QCOMPARE(d().fakes.settings.values.value("zsnesfilepath"), zsnes);

        start({}); // a first start: no path, and nothing empty is ever started, nor the ROM in its place
        d().loadRom("/roms/Chrono_Trigger.smc");
        d().press("&Run/Play");
        QVERIFY(d().fakes.programs.started.isEmpty());
        QVERIFY(d().fakes.desktop.warnings[0].text.endsWith(
            "\n\nThe command line is empty. Choose the ZSNES program in File > Paths."));
        QCOMPARE(d().fakes.desktop.warnings.size(), 1);
    }

    // An emulator that fails at once brings the window back from the tray to say how, with its last words.
    void anEarlyFailureBringsTheWindowBack() {
        start();
        d().press("&Run/Play");
        QVERIFY(!d().window->isVisible());
        const QString line = "/usr/games/zsnes -r 4 /roms/" + QString(60, u'a') + ".smc";
        emit d().fakes.programs.endedEarly(line, "exit status 127",
                                           {"zsnes: libSDL-1.2.so.0: not found", "bye"});
        QVERIFY(QTest::qWaitForWindowActive(d().window.get()) && d().window->isVisible());
        QCOMPARE(d().fakes.desktop.warnings.size(), 1);
        const auto& [title, text, details] = d().fakes.desktop.warnings[0];
        QCOMPARE(text, "This program stopped right after it started:\n/usr/games/zsnes -r 4 /roms/" +
                           QString(12, u'a') + u'\u2026' + QString(36, u'a') +
                           ".smc\n\nIt ended with exit status 127.\n\nIts last messages:\n"
                           "zsnes: libSDL-1.2.so.0: not found\nbye");
        QCOMPARE(details, line);
    }

    // A save that cannot be made is told on standard error and ends Mivo with status 1; when the user ended
    // it, a warning says so first, and the system ending Mivo meanwhile ends it at once.
    void aFailedSaveIsTold_data() {
        QTest::addColumn<bool>("byUser");
        QTest::newRow("close box") << true;
        QTest::newRow("system end") << false;
    }
    void aFailedSaveIsTold() {
        QFETCH(bool, byUser);
        start();
        d().fakes.settings.failWith =
            SaveFailure{"/home/me/.config/mivo/mivo.conf", "No space left on device"};
        d().fakes.desktop.whileWarning = [this] { d().window->endSession(Ending::BySystem); };
        byUser ? void(d().window->close()) : d().window->endSession(Ending::BySystem);
        QCOMPARE(d().fakes.desktop.errors,
                 QStringList{"mivo: the settings could not be saved to "
                             "/home/me/.config/mivo/mivo.conf: No space left on device"});
        QCOMPARE(d().fakes.desktop.warnings.size(), byUser ? 1 : 0);
        if (byUser) {
            QCOMPARE(d().fakes.desktop.warnings[0].title, "Mivo");
            QCOMPARE(d().fakes.desktop.warnings[0].text,
                     "The settings could not be saved to\n/home/me/.config/mivo/mivo.conf\n\n"
                     "No space left on device\n\nThe values stored before are kept.");
        }
        QCOMPARE(d().fakes.settings.saves, 1);
        QCOMPARE(d().fakes.desktop.ends, byUser ? (QList<int>{1, 1}) : QList<int>{1});
        QVERIFY(!d().fakes.tray.isInTray());
    }

    void trayIconAndMinimising_data() {
        QTest::addColumn<bool>("minimizeToTray");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("asked, with a tray") << true << true << true;
        QTest::newRow("asked, no tray on this desktop") << true << false << false;
        QTest::newRow("not asked") << false << true << false;
    }
    void trayIconAndMinimising() {
        QFETCH(bool, minimizeToTray);
        QFETCH(bool, trayAvailable);
        QFETCH(bool, hidden);
        start({{"Minimize to tray", minimizeToTray ? "1" : "0"}});
        d().fakes.tray.available = trayAvailable;
        d().window->setWindowState(Qt::WindowMaximized); // a resize never hides
        d().window->setWindowState(Qt::WindowMinimized);
        // The window hides once the state change is over: wait for a marker queued behind it.
        bool settled = false;
        QTimer::singleShot(0, d().window.get(), [&settled] { settled = true; });
        QTRY_VERIFY(settled);
        QCOMPARE(d().window->isVisible(), !hidden);
        QVERIFY(d().window->isMinimized());
        emit d().fakes.tray.leftButtonClicked();
        QVERIFY(d().window->isVisible() && !d().window->isMinimized());

        // Taking the icon away clears the box above; bringing it back makes the box usable again, clear.
        d().press("Mivo icon in system tray");
        QVERIFY(!d().fakes.tray.isInTray() && !d().button("Mivo minimizes into system tray")->isEnabled());
        d().press("Mivo icon in system tray");
        const QAbstractButton* minimize = d().button("Mivo minimizes into system tray");
        QVERIFY(d().fakes.tray.isInTray() && minimize->isEnabled() && !minimize->isChecked());

        d().fakes.tray.popupMenu->actions().constFirst()->trigger(); // the tray's "&Exit"
        QCOMPARE(d().fakes.desktop.ends, QList<int>{0});
        QVERIFY(d().fakes.settings.writes.isEmpty());
    }

    void informationWindows_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("texts");
        const auto window = [](const char* title, const char* menu, const char* entry,
                               const QStringList& texts) { QTest::newRow(title) << menu << entry << texts; };
        window("About", "&Help", "&About",
               {"Mivo v1.60\nWritten by: The Mivo developers", "mivo@example.org", "https://example.org/mivo",
                "Thanks to a friend and a software company for the coding answers that made Mivo possible."});
        window("About Add-ons", "&Add-ons", "&About Add-ons", {"Romulus:", "https://example.org/romulus"});
        window("About Emulators", "&Help", "About &Emulators",
               {"Zsnes:", "https://www.zsnes.com", "Snes9x:", "https://www.snes9x.com"});
        window("Romulus Not Found", "&Add-ons", "&Romulus", {"Romulus executable path not selected."});
    }
    void informationWindows() {
        QFETCH(QString, menu);
        QFETCH(QString, entry);
        QFETCH(QStringList, texts);
        const QString title = QString::fromLatin1(QTest::currentDataTag());
        start({{"romuluspath", kNoRomulus}});
        d().menu(menu, entry);
        d().paths();           // another window comes in front
        d().menu(menu, entry); // again while open: the same window comes forward, with no second beep
        QPointer<QWidget> window = testing::topLevel(title);
        QVERIFY(window && QTest::qWaitForWindowActive(window));
        QCOMPARE(d().fakes.desktop.beeps, 1);
        QVERIFY(!d().window->isEnabled() &&
                d().fakes.tray.popupMenu->isEnabled()); // the tray's Exit still works
        QVERIFY(!d().window->close()); // not even the close box of the locked window gets through
        QVERIFY(d().fakes.programs.started.isEmpty());
        QStringList shown;
        for (auto* label : window->findChildren<QLabel*>()) {
            shown << label->text();
            if (title != "About")
                QTest::mouseClick(label, Qt::LeftButton); // plain text, leading nowhere
        }
        QCOMPARE(shown, texts);
        QVERIFY(d().fakes.desktop.opened.isEmpty());
        QCOMPARE(window->focusWidget(), d().button("&Ok", window));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(d().window->isEnabled());
        QTRY_VERIFY(window.isNull());

        d().menu(menu, entry);
        QTest::keyClick(testing::topLevel(title)->focusWidget(), Qt::Key_Return); // presses the Ok
        QVERIFY(d().window->isEnabled());
        QTRY_COMPARE(testing::topLevel(title), nullptr);
    }

    void aboutLinksOpenTheirTargets() {
        start();
        d().menu("&Help", "&About");
        QWidget* about = testing::topLevel("About");
        const auto link = [about](const char* text) {
            return testing::find<QLabel>(about, [text](QLabel* label) { return label->text() == text; });
        };
        QLabel* mail = link("mivo@example.org");
        QLabel* web = link("https://example.org/mivo");
        QCOMPARE(web->cursor().shape(), Qt::PointingHandCursor); // the pointer shows a link
        QTest::mouseClick(mail, Qt::RightButton);
        QTest::mousePress(mail, Qt::LeftButton);
        QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(-5, -5)); // taken back by moving away
        QTest::mouseRelease(mail, Qt::LeftButton);                     // and a release alone is no click
        QVERIFY(d().fakes.desktop.opened.isEmpty());
        QTest::mouseClick(mail, Qt::LeftButton);
        // A screen reader finds a link it can press.
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(web);
        QVERIFY(reader->role() == QAccessible::Link &&
                reader->text(QAccessible::Name) == "https://example.org/mivo");
        reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        const QImage unfocused = web->grab().toImage();
        about->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
        for (int tabs = 0; tabs < 4 && !web->hasFocus(); ++tabs) // reached with the keyboard
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(web->hasFocus() && web->grab().toImage() != unfocused); // a keyboard user sees the focus
        QTest::keyClick(web, Qt::Key_Space);
        QTest::keyClick(web, Qt::Key_Return);
        QCOMPARE(d().fakes.desktop.opened,
                 (QStringList{"mailto:mivo@example.org", "https://example.org/mivo",
                              "https://example.org/mivo", "https://example.org/mivo"}));

        d().menu("&Help", "About &Emulators"); // two windows hold the lock: it goes with the last one
        QTest::keyClick(web, Qt::Key_Escape);  // from the link, Escape reaches its window
        QVERIFY(!d().window->isEnabled());
        testing::topLevel("About Emulators")->close();
        QVERIFY(d().window->isEnabled());
    }

    // Mivo as main starts it: the program's icon and desktop name, and a closed last window is no end.
    void theProgramOnTheDesktop() {
        const QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        Program program;
        QCOMPARE(QGuiApplication::desktopFileName(), "io.github.mivo.Mivo");
        QVERIFY(QApplication::windowIcon().availableSizes() == QList{QSize(48, 48)});
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        // The session manager's request to save saves, and Mivo goes on. A ROM named at the start is chosen.
        QVERIFY(QFile(config.filePath("game.smc")).open(QIODevice::WriteOnly));
        program.start(config.filePath("game.smc"));
        QTRY_COMPARE(program.window().findChild<QLabel*>("Label7")->text(), config.filePath("game.smc"));
        // The tray icon is made once the window has painted its first frame.
        QTRY_VERIFY(program.tray().findChild<QSystemTrayIcon*>() != nullptr);
        emit program.systemEnd().saveRequested();
        QVERIFY(QFile::exists(config.filePath("tst_session/tst_session.conf")) &&
                program.window().isVisible());
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
