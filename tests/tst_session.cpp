#include "MainWindowDriver.h"
#include "ui/main/Program.h"

#include <QAccessible>
#include <QDir>
#include <QListView>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

using namespace mivo;

namespace {
using Stored = QMap<QString, QString>;
const QString kZsnes = QStringLiteral("/usr/games/zsnes");
const QString kNoZsnes = QStringLiteral("Goto ''Setup'' to choose the Zsnes path");
const QString kNoRom = QStringLiteral("Goto ''Setup'' to load a Rom");
const QString kNoRomulus = QStringLiteral("Romulus path not selected");
} // namespace

// A session with Mivo: what it restores, the paths, the ROM, the launch, the tray, the information
// windows, and what it stores when it ends.
class TestSession : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::MainWindowDriver> m_driver;
    testing::MainWindowDriver& d() { return *m_driver; }
    testing::MainWindowDriver& start(const Stored& stored = {{"zsnesfilepath", kZsnes}}) {
        m_driver = std::make_unique<testing::MainWindowDriver>(stored);
        return d();
    }
    // The four values in the order the shutdown writes them.
    static QStringList writes(const QStringList& values) {
        return {"Minimize to tray=" + values[0], "Icon in tray=" + values[1], "zsnesfilepath=" + values[2],
                "romuluspath=" + values[3]};
    }
    QWidget* paths() {
        if (QWidget* open = testing::topLevel("File Paths"))
            return open;
        d().menu("&File", "&Paths");
        return testing::topLevel("File Paths");
    }
    QLineEdit* pathField(const QString& row) {
        return testing::find<QLineEdit>(paths(), [&](QLineEdit* e) { return e->accessibleName() == row; });
    }
    // Presses a button of the File Paths window; a file dialog it opens gives `answer`.
    void inPaths(const QString& button, const std::optional<QString>& answer = std::nullopt) {
        d().fakes.fileDialogs.answers.push_back(answer);
        d().press(button, paths());
    }
    void loadRom(const std::optional<QString>& answer) {
        d().fakes.fileDialogs.answers.push_back(answer);
        d().press("Load Rom.....");
    }

private slots:
    void cleanup() { m_driver.reset(); }

    void startRestoresAndCloseStoresTheFourValues_data() {
        // clang-format off
        QTest::addColumn<Stored>("stored");
        QTest::addColumn<QString>("syntax");
        QTest::addColumn<int>("minimize"); // check state of "Mivo minimizes into system tray"
        QTest::addColumn<bool>("minimizeUsable");
        QTest::addColumn<QStringList>("saved");
        const QStringList firstRun{"1", "1", "", "Romulus Path"};
        QTest::newRow("first start") << Stored{} << "" << 2 << true << firstRun;
        QTest::newRow("paths") << Stored{{"zsnesfilepath", kZsnes}, {"romuluspath", "/opt/Romulus"}} << kZsnes << 2 << true << QStringList{"1", "1", kZsnes, "/opt/Romulus"};
        QTest::newRow("no Zsnes path") << Stored{{"zsnesfilepath", kNoZsnes}} << kNoZsnes << 2 << true << QStringList{"1", "1", kNoZsnes, "Romulus Path"};
        QTest::newRow("placeholder in other case is a path") << Stored{{"zsnesfilepath", "goto ''setup'' to choose the zsnes path"}}
            << "goto ''setup'' to choose the zsnes path" << 2 << true << QStringList{"1", "1", "goto ''setup'' to choose the zsnes path", "Romulus Path"};
        QTest::newRow("icon off clears minimise") << Stored{{"Minimize to tray", "1"}, {"Icon in tray", "0"}} << "" << 0 << false << QStringList{"0", "0", "", "Romulus Path"};
        QTest::newRow("minimise off") << Stored{{"Minimize to tray", "0"}, {"Icon in tray", "1"}} << "" << 0 << true << QStringList{"0", "1", "", "Romulus Path"};
        QTest::newRow("greyed") << Stored{{"Minimize to tray", "2"}} << "" << 1 << true << QStringList{"2", "1", "", "Romulus Path"};
        QTest::newRow("no numbers") << Stored{{"Minimize to tray", "yes"}, {"Icon in tray", ""}} << "" << 2 << true << firstRun;
        QTest::newRow("out of range") << Stored{{"Minimize to tray", "3"}, {"Icon in tray", "-1"}} << "" << 2 << true << firstRun;
        // clang-format on
    }
    void startRestoresAndCloseStoresTheFourValues() {
        QFETCH(Stored, stored);
        QFETCH(QString, syntax);
        QFETCH(int, minimize);
        QFETCH(bool, minimizeUsable);
        QFETCH(QStringList, saved);
        start(stored);
        QCOMPARE(d().syntax(), syntax);
        const bool usable = syntax != kNoZsnes;
        QCOMPARE(d().button("&View Syntax")->isEnabled(), usable);
        QCOMPARE(d().button("&Run/Play")->isEnabled(), usable);
        QCOMPARE(int(d().named<QCheckBox>("Check36")->checkState()), minimize);
        QCOMPARE(d().named<QCheckBox>("Check36")->isEnabled(), minimizeUsable);
        QCOMPARE(d().fakes.tray.isInTray(), saved[1] == "1");
        QCOMPARE(testing::topLevel("File Paths"), nullptr); // made, but hidden
        // Both file dialogs start from the restored paths.
        inPaths("Find Zsnes.....");
        inPaths("Find Romulus");
        QCOMPARE(d().fakes.fileDialogs.requests[0].startFileName, saved[2]);
        QCOMPARE(d().fakes.fileDialogs.requests[1].startFileName, saved[3]);

        QVERIFY(d().window->close());
        QCOMPARE(d().fakes.settings.writes, writes(saved));
        QCOMPARE(d().fakes.settings.saves, 1);
        QVERIFY(!d().fakes.tray.isInTray());
        QCOMPARE(d().fakes.desktop.ends, QList<int>{0});
    }

    void pathsLiveOnAfterTheirWindowClosed() {
        start();
        inPaths("Find Romulus", "/opt/My Romulus/romulus");
        d().menu("&Add-ons", "&Romulus"); // the whole path, blanks included, with no arguments
        QCOMPARE(d().fakes.programs.started, (QList<ProgramInvocation>{{"/opt/My Romulus/romulus", {}}}));
        QCOMPARE(d().fakes.fileDialogs.requests.back().filter,
                 "Romulus Executable (Romulus.exe)|*.exe|All Files (*.*)|*.*");
        QVERIFY(d().fakes.fileDialogs.requests.back().title.isEmpty());
        inPaths("Clear Romulus Path");
        inPaths("Find Romulus"); // cancelled: the dialog's last file
        QCOMPARE(pathField("Romulus Path")->text(), "/opt/My Romulus/romulus");
        inPaths("Clear Romulus Path");
        d().tick("Disable color 0 modifications in 256 color modes");
        d().press("&View Syntax");
        QPointer<QWidget> window = paths();
        window->close();
        QTRY_VERIFY(window.isNull());
        QCOMPARE(d().syntax(), kZsnes); // the composed line goes with the window
        QCOMPARE(pathField("Zsnes Path")->text(), kZsnes);
        QCOMPARE(pathField("Romulus Path")->text(), kNoRomulus);
        paths()->close();
        d().menu("&File", "&Exit");
        QCOMPARE(d().fakes.settings.writes, writes({"1", "1", kZsnes, kNoRomulus}));
    }

    void findZsnesMirrorsTheChoiceEverywhere() {
        start({});
        inPaths("Find Zsnes....."); // cancelled, with nothing remembered: no path
        QCOMPARE(pathField("Zsnes Path")->text(), QString());
        QCOMPARE(d().syntax(), kNoZsnes);
        QVERIFY(!d().button("&View Syntax")->isEnabled() && !d().button("&Run/Play")->isEnabled());
        QVERIFY(d().window->isEnabled()); // the File Paths window locks nothing
        QMap<int, QString> labels;        // top to bottom
        for (const QLabel* label : paths()->findChildren<QLabel*>())
            labels.insert(label->y(), label->text() + (label->font().bold() ? "" : " (not bold)"));
        QCOMPARE(labels.values(), (QStringList{"Zsnes Path:", "Snes9x Path:", "Romulus Path:"}));
        QCOMPARE(paths()->objectName(), "Form5");
        // 6105 twips wide, at least 2625 high, taller only where the desktop's font needs it; not to be
        // resized.
        QVERIFY(paths()->width() == 407 && paths()->height() >= 175 &&
                paths()->minimumSize() == paths()->maximumSize());
        QVERIFY(testing::centred(paths()));
        for (const QString& name :
             QStringLiteral("Label12 Text5 Command3 Command5 Label10 Text7 Command9 Command10 "
                            "Label11 Text6 Command7 Command8")
                 .split(' '))
            QVERIFY2(paths()->findChild<QWidget*>(name), qPrintable(name));
        const auto readWith =
            QAccessible::queryAccessibleInterface(pathField("Zsnes Path"))->relations(QAccessible::Label);
        QVERIFY(!readWith.isEmpty() &&
                readWith[0].first->text(QAccessible::Name) == "Zsnes Path:"); // read with its field
        QVERIFY(!pathField("Snes9x Path")->isEnabled() &&
                !d().button("Find Snes9x.....", paths())->isEnabled());

        inPaths("Find Zsnes.....", kZsnes);
        QCOMPARE(d().fakes.fileDialogs.requests.back().title, "Zsnes...");
        QCOMPARE(d().fakes.fileDialogs.requests.back().filter,
                 "Zsnes(w) Executable (*.exe)|*.exe|All Files (*.*)|*.*|");
        QCOMPARE(pathField("Zsnes Path")->text(), kZsnes);
        QCOMPARE(d().syntax(), kZsnes);
        QVERIFY(d().button("&View Syntax")->isEnabled() && !d().button("&Run/Play")->isEnabled());

        // Cancelling drops a composed line and starts again from the path.
        d().tick("Disable color 0 modifications in 256 color modes");
        d().press("&View Syntax");
        d().button("Load Rom.....")->setEnabled(false);
        inPaths("Find Zsnes.....");
        QCOMPARE(d().syntax(), kZsnes);
        QVERIFY(d().button("Load Rom.....")->isEnabled());

        // Clear, then a cancelled find keeps the placeholder as a path.
        inPaths("Clear Zsnes Path");
        QCOMPARE(pathField("Zsnes Path")->text(), kNoZsnes);
        QCOMPARE(d().syntax(), kNoZsnes);
        QVERIFY(!d().button("&View Syntax")->isEnabled() && !d().button("&Run/Play")->isEnabled());
        inPaths("Find Zsnes.....");
        QCOMPARE(d().fakes.fileDialogs.requests.back().startFileName, kNoZsnes);
        d().press("&View Syntax");
        QCOMPARE(d().syntax(), kNoZsnes + " -0");
        inPaths("Clear Zsnes Path"); // the field holds the placeholder already: the line goes all the same
        QCOMPARE(d().syntax(), kNoZsnes);

        // Typing is mirrored key by key, into the line and into the dialog.
        d().typeInto(pathField("Zsnes Path"), "/zs");
        QTest::keyClick(pathField("Zsnes Path"), Qt::Key_Backspace);
        QCOMPARE(d().syntax(), "/z");
        inPaths("Find Zsnes.....");
        QCOMPARE(d().fakes.fileDialogs.requests.back().startFileName, "/z");
    }

    void romChoice() {
        QTemporaryDir folder;
        for (const char* name : {"b.smc", "A.SMC", "notes.txt", "c.smc.bak"})
            QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
        const QString startFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        start();
        QDir::setCurrent(startFolder);
        auto* list = d().named<QListView>("File1");
        QTRY_COMPARE(list->model()->rowCount(), 2); // the folder is read beside the start
        QVERIFY(QFile(folder.filePath("a2.smc")).open(QIODevice::WriteOnly)); // too late to be listed
        QStringList shown;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            shown << list->model()->index(i, 0).data().toString();
        QCOMPARE(shown, (QStringList{"A.SMC", "b.smc"}));

        const auto activate = [&](int row) {
            d().show(list);
            const QPoint where = list->visualRect(list->model()->index(row, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
        };
        activate(1);
        QCOMPARE(d().rom(), folder.path() + "/b.smc");
        QVERIFY(d().button("Clear")->isEnabled());
        loadRom(std::nullopt); // the dialog was never used: back to no ROM, Clear stays usable
        QCOMPARE(d().rom(), kNoRom);
        QVERIFY(d().button("Clear")->isEnabled());

        loadRom("/roms/mario.smc");
        QCOMPARE(d().rom(), "/roms/mario.smc");
        QCOMPARE(d().fakes.fileDialogs.requests.back().filter, QString());
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Return); // the keyboard's double click
        QCOMPARE(d().rom(), folder.path() + "/A.SMC");
        loadRom(std::nullopt);
        QCOMPARE(d().rom(), "/roms/mario.smc");

        d().press("Clear");
        QCOMPARE(d().rom(), kNoRom);
        loadRom(std::nullopt);
        QCOMPARE(d().rom(), kNoRom);
        QVERIFY(!d().button("Clear")->isEnabled());
        loadRom("/roms/b.smc");
        QVERIFY(d().button("Clear")->isEnabled());
        QCOMPARE(list->model()->rowCount(), 2);
    }

    void runPlayStartsTheLineAndGoesToTheTray() {
        start();
        d().press("&Run/Play"); // before any View Syntax: the bare path
        QTRY_VERIFY(!d().window->isVisible());
        d().window->showNormal();
        loadRom("/roms/a.smc");
        d().tick("Mivo minimizes into system tray");
        d().press("&Run/Play");
        QCOMPARE(d().fakes.programs.started,
                 (QList<ProgramInvocation>{{kZsnes, {}}, {kZsnes, {"/roms/a.smc"}}}));
        QVERIFY(!d().window->isMinimized());
        QVERIFY(d().fakes.desktop.warnings.isEmpty());

        start({{"zsnesfilepath", "/nowhere/zsnes"}});
        d().fakes.programs.failWith = "No such file or directory";
        d().press("&Run/Play");
        QVERIFY(!d().window->isMinimized());
        QCOMPARE(d().fakes.desktop.warnings.size(), 1);
        QCOMPARE(d().fakes.desktop.warnings[0].title, "Mivo");
        QVERIFY(d().fakes.desktop.warnings[0].text.contains("/nowhere/zsnes"));
        QVERIFY(d().fakes.desktop.warnings[0].text.contains("No such file or directory"));

        start({}); // a first start: no path, and still nothing empty is ever started
        d().press("&Run/Play");
        QVERIFY(d().fakes.programs.started.isEmpty());
        QVERIFY(d().fakes.desktop.warnings[0].text.contains("The command line is empty."));
        QCOMPARE(d().fakes.desktop.warnings.size(), 1);
    }

    void trayIconAndMinimising_data() {
        // clang-format off
        QTest::addColumn<bool>("minimizeToTray");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("asked, with a tray") << true << true << true;
        QTest::newRow("asked, no tray on this desktop") << true << false << false;
        QTest::newRow("not asked") << false << true << false;
        // clang-format on
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

        d().tick("Mivo icon in system tray");
        QVERIFY(!d().fakes.tray.isInTray());
        QVERIFY(!d().button("Mivo minimizes into system tray")->isChecked());
        QVERIFY(!d().button("Mivo minimizes into system tray")->isEnabled());
        d().tick("Mivo icon in system tray");
        QVERIFY(d().fakes.tray.isInTray() && d().button("Mivo minimizes into system tray")->isEnabled());
        QVERIFY(!d().button("Mivo minimizes into system tray")->isChecked());

        d().fakes.tray.popupMenu->actions().constFirst()->trigger(); // the tray's "&Exit"
        QCOMPARE(d().fakes.desktop.ends, QList<int>{0});
        QVERIFY(d().fakes.settings.writes.isEmpty());
    }

    void informationWindows_data() {
        // clang-format off
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("names"); // the window's, then its labels' and their looks, as the texts
        QTest::newRow("About") << "&Help" << "&About" << "About" << QStringList{"Mivo v1.60\nWritten by: The Mivo developers", "mivo@example.org", "https://example.org/mivo",
            "Thanks to a friend and a software company for the coding answers that made Mivo possible."} << QSize(183, 150) << "Form2 Label1(centred) Label3(centred) Label4(centred) Label2(centred wrapped)";
        QTest::newRow("About Add-ons") << "&Add-ons" << "&About Add-ons" << "About Add-ons" << QStringList{"Romulus:", "https://example.org/romulus"} << QSize(255, 86) << "Form4 Label1(bold) Label2(indented)";
        QTest::newRow("About Emulators") << "&Help" << "About &Emulators" << "About Emulators" << QStringList{"Zsnes:", "https://www.zsnes.com", "Snes9x:", "https://www.snes9x.com"}
            << QSize(222, 126) << "Form6 Label1(bold) Label3(indented) Label2(bold) Label4(indented)";
        QTest::newRow("Romulus Not Found") << "&Add-ons" << "&Romulus" << "Romulus Not Found" << QStringList{"Romulus executable path not selected."} << QSize(247, 63) << "Form3 Label1(centred)";
        // clang-format on
    }
    void informationWindows() {
        QFETCH(QString, menu);
        QFETCH(QString, entry);
        QFETCH(QString, title);
        QFETCH(QStringList, texts);
        QFETCH(QSize, size);
        QFETCH(QString, names);
        const QFont desktop = QApplication::font();
        QFont large = desktop; // a desktop font too large for the designed sizes
        large.setPointSizeF(desktop.pointSizeF() * 1.5);
        QApplication::setFont(large);
        start({{"romuluspath", kNoRomulus}});
        d().menu(menu, entry);
        d().menu(menu, entry); // again while open: the same window comes forward, with no second beep
        QPointer<QWidget> window = testing::topLevel(title);
        QApplication::setFont(desktop);
        QVERIFY(window);
        QCOMPARE(d().fakes.desktop.beeps, 1);
        QVERIFY(!d().window->isEnabled() &&
                d().fakes.tray.popupMenu->isEnabled()); // the tray's Exit still works
        QVERIFY(!d().window->close()); // not even the close box of the locked window gets through
        QVERIFY(d().fakes.programs.started.isEmpty());
        QCOMPARE(window->size(), size);
        QVERIFY(window->font().pointSizeF() >= 7.5); // shrunk only as far as the text needs
        QVERIFY(testing::centred(window));
        QStringList shown;
        QStringList named{window->objectName()};
        int above = 0; // the labels stand top to bottom in the order of the texts
        for (auto* label : window->findChildren<QLabel*>()) {
            shown << label->text();
            QVERIFY2(label->y() >= above, qPrintable(label->text()));
            above = label->geometry().bottom();
            const QStringList look{label->font().bold() ? "bold" : "",
                                   label->alignment() & Qt::AlignHCenter ? "centred" : "",
                                   label->indent() > 0 ? "indented" : "", label->wordWrap() ? "wrapped" : ""};
            named << label->objectName() + '(' + look.join(' ').simplified() + ')';
            QVERIFY2(window->rect().contains(label->geometry()), qPrintable(label->text()));
            const int needed =
                label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
            QVERIFY2(label->height() >= needed &&
                         (label->wordWrap() || label->width() >= label->sizeHint().width()),
                     qPrintable(label->text()));
            if (title != "About")
                QTest::mouseClick(label, Qt::LeftButton); // plain text, leading nowhere
        }
        QCOMPARE(shown, texts);
        QCOMPARE(named.join(' '), names);
        const QWidget* ok = d().button("&Ok", window);
        QVERIFY(ok->objectName() == "Command1" &&
                qAbs(ok->geometry().center().x() - window->width() / 2) <= 1 && window->focusWidget() == ok);
        QVERIFY(d().fakes.desktop.opened.isEmpty());
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
        auto* mail = testing::find<QLabel>(about, [](QLabel* l) { return l->text() == "mivo@example.org"; });
        auto* web =
            testing::find<QLabel>(about, [](QLabel* l) { return l->text() == "https://example.org/mivo"; });
        QTest::mouseRelease(mail, Qt::LeftButton); // a release alone is no click
        QTest::mouseClick(mail, Qt::RightButton);
        QTest::mousePress(mail, Qt::LeftButton);
        QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(-5, -5)); // taken back by moving away
        QVERIFY(d().fakes.desktop.opened.isEmpty());
        QTest::mouseClick(mail, Qt::LeftButton);
        // A screen reader finds a link it can press.
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(web);
        QVERIFY(link->role() == QAccessible::Link &&
                link->text(QAccessible::Name) == "https://example.org/mivo");
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        const QImage unfocused = web->grab().toImage();
        bool blueText = false;
        for (int x = 0; x < unfocused.width(); ++x) { // the text drawn in its link colour
            const QColor colour = unfocused.pixelColor(x, unfocused.height() / 2);
            blueText = blueText || colour.blue() - colour.red() > 100;
        }
        about->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
        for (int tabs = 0; tabs < 4 && !web->hasFocus(); ++tabs) // reached with the keyboard
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(blueText && web->grab().toImage() != unfocused); // a keyboard user sees where the focus is
        QTest::keyClick(web, Qt::Key_Space);
        QTest::keyClick(web, Qt::Key_Return);
        QCOMPARE(d().fakes.desktop.opened,
                 (QStringList{"mailto:mivo@example.org", "https://example.org/mivo",
                              "https://example.org/mivo", "https://example.org/mivo"}));
        QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(web->palette().color(QPalette::WindowText), QColor(0, 0, 192));
        const QCursor hand = web->cursor();
        QCOMPARE(hand.pixmap().size(), QSize(32, 32));
        QCOMPARE(hand.hotSpot(), QPoint(5, 0));
        QVERIFY(qAlpha(hand.pixmap().toImage().pixel(5, 0)) == 255); // the finger tip is the hot spot

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
    }

    void aRestoredGreyedBoxTakesOnlyTwoStatesFromTheUser() {
        start({{"Minimize to tray", "2"}});
        for (const Qt::CheckState expected : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
            d().tick("Mivo minimizes into system tray");
            QCOMPARE(d().named<QCheckBox>("Check36")->checkState(), expected);
        }
        d().menu("&File", "&Exit");
        QCOMPARE(d().fakes.settings.values.value("Minimize to tray"), "1");
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
